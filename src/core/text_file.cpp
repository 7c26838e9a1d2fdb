#include "core/text_file.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/disk_name.h"

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

namespace {

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

QByteArray FolderOf(const QByteArray& path) {
  const qsizetype slash = path.lastIndexOf('/');
  if (slash < 0) return QByteArrayLiteral(".");
  return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// The rename is only durable once the folder entry is on disk too.
void SyncFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

QByteArray FollowLinks(QByteArray path) {
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info;
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    QByteArray link(static_cast<qsizetype>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(path.constData(), link.data(), static_cast<size_t>(link.size()));
    if (n < 0 || n >= link.size()) return path;
    link.truncate(n);
    path = link.startsWith('/') ? link : FolderOf(path) + '/' + link;
  }
  return path;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  // Plain POSIX calls: every short write is seen, the data is on disk before the rename, and
  // the temporary file never outlives a failure.
  const QByteArray target = FollowLinks(NameToDisk(path));
  const QByteArray folder = FolderOf(target);
  // Hidden, so a folder listing taken during the save does not show it; short, so a long
  // target name cannot make it too long.
  QByteArray temp = folder + "/.vistrel-save-XXXXXX";
  auto fail = [&](int fd, bool unlinkTemp, int code) {
    if (fd >= 0) ::close(fd);
    if (unlinkTemp) ::unlink(temp.constData());
    if (error)
      *error = QStringLiteral("Cannot write file ") + PrintableName(path) + QStringLiteral(": ") +
               QString::fromLocal8Bit(std::strerror(code));
    return false;
  };
  struct stat old;
  const bool exists = ::stat(target.constData(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return fail(-1, false, EISDIR);
  // Renaming over a read-only file would succeed in a writable folder; it must not.
  if (exists && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
    return fail(-1, false, errno);
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return fail(-1, false, errno);
  const char* data = bytes.constData();
  qint64 left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(fd, true, n < 0 ? errno : ENOSPC);
    data += n;
    left -= n;
  }
  // The owner is kept where allowed (root saving a user's file); the mode always.
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()))
    (void)!::fchown(fd, old.st_uid, old.st_gid);
  const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) return fail(fd, true, errno);
  if (::close(fd) != 0) return fail(-1, true, errno);
  if (::rename(temp.constData(), target.constData()) != 0) return fail(-1, true, errno);
  SyncFolder(folder);
  return true;
}

bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error) {
  QFile file;
  if (path.startsWith(QLatin1String(":/"))) {
    // The defaults built into the program: Qt's resource system, not the disk.
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
      if (error) *error = QStringLiteral("Cannot open file ") + path;
      return false;
    }
  } else {
    const int fd = OpenRegularForReading(path, error);
    if (fd < 0) return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
      ::close(fd);
      if (error) *error = QStringLiteral("Cannot open file ") + PrintableName(path);
      return false;
    }
  }
  *bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error)
      *error = QStringLiteral("Cannot read file ") + PrintableName(path) + QStringLiteral(": ") +
               file.errorString();
    return false;
  }
  return true;
}

}  // namespace vistrel
