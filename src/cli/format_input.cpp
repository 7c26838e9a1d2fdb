#include "cli/format_input.h"

#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/cli_command.h"
#include "core/disk_name.h"

namespace vistrel::cli {

namespace {

// Maps the pages of a buffer not yet touched in one call rather than one fault per page. A
// hint only, harmless where the system does not follow it. (Huge pages were tried: the
// compaction they may start made a run's time vary by half.)
void PrepareBuffer(void* data, qsizetype size) {
  const quintptr from = (reinterpret_cast<quintptr>(data) + 4095) & ~quintptr{4095};
  const quintptr to =
      (reinterpret_cast<quintptr>(data) + static_cast<quintptr>(size)) & ~quintptr{4095};
#ifdef MADV_POPULATE_WRITE
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#else
  (void)from;
  (void)to;
#endif
}

bool Fail(const QString& message) {
  Err() << "vistrel-cli: " << message << "\n";
  Err().flush();
  return false;
}

// The whole file from fd, which may have grown or shrunk since its size was taken.
bool ReadAll(int fd, const QString& file, QByteArray* bytes) {
  struct stat info;
  if (::fstat(fd, &info) != 0) info.st_size = 0;
  bytes->resize(static_cast<qsizetype>(info.st_size) + 1);
  PrepareBuffer(bytes->data(), bytes->size());
  qsizetype used = 0;
  for (;;) {
    if (used == bytes->size()) bytes->resize(bytes->size() * 2);
    const ssize_t n = ::read(fd, bytes->data() + used, static_cast<size_t>(bytes->size() - used));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      return Fail(QStringLiteral("Cannot read file ") + PrintableName(file) + QStringLiteral(": ") +
                  QString::fromLocal8Bit(std::strerror(errno)));
    if (n == 0) break;
    used += n;
  }
  bytes->truncate(used);
  return true;
}

}  // namespace

bool ReadFormatInput(const QString& file, DecodedText* decoded) {
  if (file.isEmpty() || file == QLatin1String("-")) {
    QByteArray bytes;
    if (!ReadInput(file, &bytes)) return false;
    *decoded = DecodeText(bytes);
    return true;
  }
  QString error;
  const int fd = OpenRegularForReading(file, &error);
  if (fd < 0) return Fail(error);
  QByteArray bytes;
  const bool read = ReadAll(fd, file, &bytes);
  ::close(fd);
  if (!read) return false;
  // Decoded straight into the text's own buffer, itself in large pages.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text(std::max(utf8.requiredSpace(bytes.size()), bytes.size()), Qt::Uninitialized);
  PrepareBuffer(text.data(), text.size() * 2);
  QChar* end = utf8.appendToBuffer(text.data(), bytes);
  decoded->encoding = TextEncoding::kUtf8;
  if (utf8.hasError()) {
    QChar* out = text.data();
    for (const char byte : std::as_const(bytes)) *out++ = QChar(static_cast<uchar>(byte));
    end = out;
    decoded->encoding = TextEncoding::kLatin1;
  }
  text.truncate(end - text.constData());
  decoded->text = std::move(text);
  return true;
}

}  // namespace vistrel::cli
