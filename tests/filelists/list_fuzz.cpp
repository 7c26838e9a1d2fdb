// libFuzzer target for list-file parsing and duplicate removal (clang, -DVISTREL_FUZZ=ON).
// Checks what must hold for any bytes: no crash, an entry of five fields splits and joins
// back unchanged, and duplicate removal leaves one line per non-empty full path,
// only lines it was given, and is stable when run again.
#include <QSet>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "core/text_file.h"
#include "filelists/list_entry.h"
#include "filelists/list_file.h"

namespace {

void Fail(int line) {
  std::fprintf(stderr, "list_fuzz.cpp:%d: check failed\n", line);
  std::abort();
}

}  // namespace

#define Check(condition) ((condition) ? void() : Fail(__LINE__))

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QStringList lines = vistrel::SplitListLines(vistrel::DecodeText(bytes).text);
  for (const QString& line : lines) {
    Check(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    const vistrel::ListRow row = vistrel::SplitListEntry(line);
    Check(vistrel::SplitListEntry(vistrel::JoinListRow(row)) == row);
    if (line.count(QLatin1Char('*')) == 4) Check(vistrel::JoinListRow(row) == line);
  }
  // Reading back what was written gives the same lines.
  Check(vistrel::SplitListLines(QString::fromUtf8(vistrel::EncodeListLines(lines))) == lines);

  QStringList unique = lines;
  vistrel::RemoveDuplicateEntries(unique);
  QSet<QString> paths;
  const QSet<QString> given(lines.begin(), lines.end());
  for (const QString& line : unique) {
    const QString path = vistrel::FullPathOfEntry(line);
    Check(!path.isEmpty());
    Check(!paths.contains(path));
    Check(given.contains(line));
    paths.insert(path);
  }
  for (const QString& line : lines) {
    const QString path = vistrel::FullPathOfEntry(line);
    Check(path.isEmpty() || paths.contains(path));
  }
  QStringList again = unique;
  vistrel::RemoveDuplicateEntries(again);
  Check(again == unique);
  return 0;
}
