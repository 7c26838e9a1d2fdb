#include "core/text_file.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vistrel {

DecodedText DecodeText(const QByteArray& bytes) {
  DecodedText result;
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) {
    result.text = QString::fromLatin1(bytes);
    result.encoding = TextEncoding::kLatin1;
  } else {
    result.text = std::move(text);
    result.encoding = TextEncoding::kUtf8;
  }
  const qsizetype cr = bytes.indexOf('\r');
  const qsizetype lf = bytes.indexOf('\n');
  if (cr >= 0 && (lf < 0 || cr < lf))
    result.lineBreak =
        (cr + 1 < bytes.size() && bytes.at(cr + 1) == '\n') ? LineBreak::kCrLf : LineBreak::kCr;
  return result;
}

QByteArray EncodeText(const QString& text, TextEncoding encoding) {
  return encoding == TextEncoding::kLatin1 ? text.toLatin1() : text.toUtf8();
}

QString LineBreakText(LineBreak lineBreak) {
  switch (lineBreak) {
    case LineBreak::kCrLf:
      return QStringLiteral("\r\n");
    case LineBreak::kCr:
      return QStringLiteral("\r");
    case LineBreak::kLf:
      break;
  }
  return QStringLiteral("\n");
}

static mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  // Plain POSIX calls: every short write is seen, the data is on disk before the rename, and
  // the temporary file never outlives a failure.
  const QByteArray target = QFile::encodeName(path);
  QByteArray temp = target + ".XXXXXX";
  auto fail = [&](int fd, bool unlinkTemp) {
    const int code = errno;
    if (fd >= 0) ::close(fd);
    if (unlinkTemp) ::unlink(temp.constData());
    if (error)
      *error = QStringLiteral("Cannot write file ") + path + QStringLiteral(": ") +
               QString::fromLocal8Bit(std::strerror(code));
    return false;
  };
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return fail(-1, false);
  struct stat old;
  const mode_t mode =
      ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  const char* data = bytes.constData();
  qint64 left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(fd, true);
    data += n;
    left -= n;
  }
  if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) return fail(fd, true);
  if (::close(fd) != 0) return fail(-1, true);
  if (::rename(temp.constData(), target.constData()) != 0) return fail(-1, true);
  return true;
}

bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error)
      *error =
          QStringLiteral("Cannot open file ") + path + QStringLiteral(": ") + file.errorString();
    return false;
  }
  *bytes = file.readAll();
  return true;
}

}  // namespace vistrel
