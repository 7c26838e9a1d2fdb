#include "core/disk_name.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace vistrel {

namespace {

constexpr char16_t kRawBase = 0xDC00;

bool IsRawUnit(char16_t unit) { return unit >= 0xDC80 && unit <= 0xDCFF; }

// The length of the valid UTF-8 sequence starting at bytes[i], or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF are not valid).
int ValidSequence(QByteArrayView bytes, qsizetype i, char32_t* point) {
  const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = at(i);
  int length = 0;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  for (int k = 1; k < length; ++k) {
    const unsigned char next = at(i + k);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if ((length == 3 && value < 0x800) || (length == 4 && value < 0x10000) || value > 0x10FFFF ||
      (value >= 0xD800 && value <= 0xDFFF))
    return 0;
  *point = value;
  return length;
}

void AppendUtf8(QByteArray& out, char32_t point) {
  if (point < 0x80) {
    out.append(static_cast<char>(point));
  } else if (point < 0x800) {
    out.append(static_cast<char>(0xC0 | (point >> 6)));
    out.append(static_cast<char>(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.append(static_cast<char>(0xE0 | (point >> 12)));
    out.append(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.append(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    out.append(static_cast<char>(0xF0 | (point >> 18)));
    out.append(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
    out.append(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    out.append(static_cast<char>(0x80 | (point & 0x3F)));
  }
}

QString HexEscape(unsigned value) {
  return QLatin1String("\\x") + QString::number(value, 16).toUpper().rightJustified(2, u'0');
}

QString ErrorText(const QString& path, int code) {
  return QStringLiteral("Cannot open file ") + PrintableName(path) + QStringLiteral(": ") +
         QString::fromLocal8Bit(std::strerror(code));
}

}  // namespace

QString NameFromDisk(QByteArrayView bytes) {
  bool ascii = true;
  for (char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return QString::fromLatin1(bytes);
  QString name;
  name.reserve(bytes.size());
  for (qsizetype i = 0; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      name.append(QChar(byte));
      ++i;
      continue;
    }
    char32_t point = 0;
    const int length = ValidSequence(bytes, i, &point);
    if (length == 0) {
      name.append(QChar(static_cast<char16_t>(kRawBase + byte)));
      ++i;
      continue;
    }
    name.append(QString::fromUcs4(&point, 1));
    i += length;
  }
  return name;
}

QByteArray NameToDisk(QStringView name) {
  // Most names are ASCII: one pass to tell, then Qt's bulk conversion (a search writes
  // tens of thousands of lines through here).
  bool ascii = true;
  for (QChar c : name) ascii = ascii && c.unicode() < 0x80;
  if (ascii) return name.toLatin1();
  QByteArray bytes;
  bytes.reserve(name.size() * 3);
  for (qsizetype i = 0; i < name.size(); ++i) {
    const char16_t unit = name[i].unicode();
    if (QChar::isHighSurrogate(unit) && i + 1 < name.size() &&
        QChar::isLowSurrogate(name[i + 1].unicode())) {
      AppendUtf8(bytes, QChar::surrogateToUcs4(unit, name[i + 1].unicode()));
      ++i;
    } else if (IsRawUnit(unit)) {
      bytes.append(static_cast<char>(unit - kRawBase));
    } else if (QChar::isSurrogate(unit)) {
      AppendUtf8(bytes, 0xFFFD);  // a lone surrogate no name on disk can hold
    } else {
      AppendUtf8(bytes, unit);
    }
  }
  return bytes;
}

bool HasRawBytes(QStringView name) {
  for (QChar c : name)
    if (IsRawUnit(c.unicode())) return true;
  return false;
}

QString PrintableName(QStringView name) {
  QString shown;
  shown.reserve(name.size());
  for (QChar c : name) {
    const char16_t unit = c.unicode();
    if (IsRawUnit(unit)) {
      shown += HexEscape(unit - kRawBase);
    } else if (unit == '\t') {
      shown += QLatin1String("\\t");
    } else if (unit == '\n') {
      shown += QLatin1String("\\n");
    } else if (unit == '\r') {
      shown += QLatin1String("\\r");
    } else if (unit < 0x20 || unit == 0x7F) {
      shown += HexEscape(unit);
    } else {
      shown += c;
    }
  }
  return shown;
}

QUrl FileUrl(const QString& path) {
  // Percent-encoding the bytes keeps them; QUrl::fromLocalFile would encode the characters.
  const QByteArray encoded = NameToDisk(path).toPercentEncoding("/");
  return QUrl::fromEncoded(QByteArrayLiteral("file://") + encoded, QUrl::StrictMode);
}

QString PathOfFileUrl(const QUrl& url) {
  if (!url.isLocalFile()) return QString();
  return NameFromDisk(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString AbsolutePath(const QString& path) {
  if (path.isEmpty()) return path;
  if (path.startsWith(u'/')) return QDir::cleanPath(path);
  char* here = ::getcwd(nullptr, 0);
  const QString folder = here ? NameFromDisk(here) : QString();
  std::free(here);
  return QDir::cleanPath(folder + u'/' + path);
}

QString FolderOfPath(const QString& path) { return path.left(path.lastIndexOf(u'/') + 1); }

QString NameOfPath(const QString& path) { return path.mid(path.lastIndexOf(u'/') + 1); }

FileKind KindOf(const QString& path, struct stat* status) {
  struct stat own {};
  struct stat* info = status ? status : &own;
  if (path.isEmpty() || ::stat(NameToDisk(path).constData(), info) != 0) return FileKind::kMissing;
  if (S_ISREG(info->st_mode)) return FileKind::kRegular;
  if (S_ISDIR(info->st_mode)) return FileKind::kDirectory;
  return FileKind::kOther;
}

bool MakeFolders(const QString& path) {
  const QByteArray bytes = NameToDisk(path);
  for (qsizetype slash = bytes.indexOf('/', 1); slash >= 0 || !bytes.isEmpty();
       slash = bytes.indexOf('/', slash + 1)) {
    const QByteArray part = slash < 0 ? bytes : bytes.left(slash);
    if (!part.isEmpty() && ::mkdir(part.constData(), 0777) != 0 && errno != EEXIST) return false;
    if (slash < 0) break;
  }
  struct stat info {};
  return ::stat(bytes.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool RemoveFile(const QString& path) {
  const QByteArray bytes = NameToDisk(path);
  return ::unlink(bytes.constData()) == 0 || errno == ENOENT;
}

int OpenRegularForReading(const QString& path, QString* error) {
  // Non-blocking, so that opening a FIFO without a writer returns at once; the kind is then
  // read from the open descriptor, so nothing can swap the file in between.
  const int fd = ::open(NameToDisk(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (error) *error = ErrorText(path, errno);
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int code = errno;
    ::close(fd);
    if (error)
      *error = S_ISDIR(info.st_mode) ? ErrorText(path, EISDIR)
               : info.st_mode != 0 ? PrintableName(path) + QStringLiteral(" is not a regular file")
                                   : ErrorText(path, code);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace vistrel
