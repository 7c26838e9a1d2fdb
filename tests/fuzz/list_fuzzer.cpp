// Any bytes as a list file: read, verified against the disk, written and read back, and
// merged with itself. An entry of five fields splits and joins back unchanged; duplicate
// removal leaves one line per non-empty full path, only lines it was given, and is stable.
#include <QSet>

#include "filelists/list_entry.h"
#include "filelists/list_file.h"
#include "filelists/list_verify.h"
#include "fuzz_target.h"

using namespace vistrel;

VISTREL_FUZZ_ENTRY(list)(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QStringList lines = DecodeListLines(bytes);
  std::vector<ListRow> rows;
  for (const QString& line : lines) {
    FUZZ_CHECK(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
    const ListRow row = SplitListEntry(line);
    FUZZ_CHECK(SplitListEntry(JoinListRow(row)) == row);
    if (line.count(QLatin1Char('*')) == 4) FUZZ_CHECK(JoinListRow(row) == line);
    rows.push_back(row);
  }
  // Reading back what was written gives the same lines.
  FUZZ_CHECK(DecodeListLines(EncodeListLines(lines)) == lines);

  // Rows name arbitrary paths; verifying only looks them up.
  std::vector<ListRow> verified = rows;
  const VerifyOutcome outcome = VerifyRows(verified);
  FUZZ_CHECK(outcome.total == static_cast<int>(rows.size()));
  FUZZ_CHECK(static_cast<int>(verified.size()) == outcome.total - outcome.notFound);

  // Merging a list with itself is removing its duplicates.
  QStringList merged = lines + lines;
  RemoveDuplicateEntries(merged);
  QStringList unique = lines;
  RemoveDuplicateEntries(unique);
  FUZZ_CHECK(merged.size() == unique.size());
  QSet<QString> paths;
  const QSet<QString> given(lines.begin(), lines.end());
  for (const QString& line : unique) {
    const QString path = FullPathOfEntry(line);
    FUZZ_CHECK(!path.isEmpty());
    FUZZ_CHECK(!paths.contains(path));
    FUZZ_CHECK(given.contains(line));
    paths.insert(path);
  }
  for (const QString& line : lines) {
    const QString path = FullPathOfEntry(line);
    FUZZ_CHECK(path.isEmpty() || paths.contains(path));
  }
  QStringList again = unique;
  RemoveDuplicateEntries(again);
  FUZZ_CHECK(again == unique);
  return 0;
}
