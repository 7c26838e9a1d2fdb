#include "filelists/list_file.h"

#include <QCollator>
#include <QSet>
#include <algorithm>
#include <numeric>
#include <vector>

#include "core/disk_name.h"
#include "core/text_file.h"
#include "core/text_paths.h"
#include "filelists/list_entry.h"

namespace vistrel {

QStringList DecodeListLines(const QByteArray& bytes) {
  // Line by line: names are bytes, and one line in another encoding must not change how the
  // lines around it read. A valid UTF-8 line decodes as UTF-8; any other byte stays itself.
  QStringList lines;
  const qsizetype size = bytes.size();
  qsizetype start = 0;
  for (qsizetype i = 0; i < size; ++i) {
    const char c = bytes.at(i);
    if (c != '\r' && c != '\n') continue;
    lines.append(NameFromDisk(QByteArrayView(bytes).sliced(start, i - start)));
    if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n') ++i;
    start = i + 1;
  }
  if (start < size) lines.append(NameFromDisk(QByteArrayView(bytes).sliced(start)));
  return lines;
}

bool ReadListFile(const QString& path, QStringList* lines, QString* error) {
  QByteArray bytes;
  if (!ReadWholeFile(path, &bytes, error)) return false;
  *lines = DecodeListLines(bytes);
  return true;
}

QByteArray EncodeListLines(const QStringList& lines) {
  QByteArray bytes;
  qsizetype total = 0;
  for (const QString& line : lines) total += line.size() + 2;
  bytes.reserve(total);
  for (const QString& line : lines) {
    bytes += NameToDisk(line);
    bytes += "\r\n";
  }
  return bytes;
}

bool WriteListFile(const QString& path, const QStringList& lines, QString* error) {
  return WriteFileAtomically(path, EncodeListLines(lines), error);
}

void RemoveDuplicateEntries(QStringList& lines) {
  // Keys of the case-folded lines, made once instead of collating in every comparison (the
  // collator's own case setting is not honoured by sort keys on every platform).
  QCollator collator;
  std::vector<QCollatorSortKey> keys;
  keys.reserve(size_t(lines.size()));
  for (const QString& line : lines) keys.push_back(collator.sortKey(line.toCaseFolded()));
  std::vector<qsizetype> order(size_t(lines.size()));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
    return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
  });

  // Paths that differ only in letter case sort next to each other and can interleave, so
  // comparing with the previous line alone would let duplicates through: remember them all.
  QStringList kept;
  kept.reserve(lines.size());
  QSet<QString> seen;
  seen.reserve(lines.size());
  seen.insert(QString());
  for (qsizetype index : order) {
    const QString& line = lines.at(index);
    QString path = FullPathOfEntry(line);
    if (seen.contains(path)) continue;
    seen.insert(std::move(path));
    kept.append(line);
  }
  lines = std::move(kept);
}

QString NextFreeListName(const QString& folder, const QString& pattern, int limit) {
  for (int k = 1;; ++k) {
    QString candidate = folder + pattern;
    candidate.replace(QLatin1Char('*'), QString::number(k));
    if (k >= limit || !FileExistsAny(candidate)) return candidate;
  }
}

QString MergeLabel(const QStringList& listNames) {
  QString label;
  for (const QString& name : listNames) label += QLatin1Char(' ') + name + QLatin1String(" +");
  while (label.endsWith(QLatin1Char('+'))) label.chop(1);
  return label;
}

}  // namespace vistrel
