#include "filelists/list_file.h"

#include <QCollator>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <numeric>
#include <vector>

#include "core/text_file.h"
#include "filelists/list_entry.h"

namespace vistrel {

QStringList SplitListLines(const QString& text) {
  QStringList lines;
  const qsizetype size = text.size();
  qsizetype start = 0;
  qsizetype i = 0;
  while (i < size) {
    const QChar c = text.at(i);
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      lines.append(text.mid(start, i - start));
      if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n')) ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (start < size) lines.append(text.mid(start));
  return lines;
}

bool ReadListFile(const QString& path, QStringList* lines, QString* error) {
  QByteArray bytes;
  if (!ReadWholeFile(path, &bytes, error)) return false;
  *lines = SplitListLines(DecodeText(bytes).text);
  return true;
}

QByteArray EncodeListLines(const QStringList& lines) {
  QString text;
  qsizetype total = 0;
  for (const QString& line : lines) total += line.size() + 2;
  text.reserve(total);
  for (const QString& line : lines) {
    text += line;
    text += QLatin1String("\r\n");
  }
  return EncodeText(text, TextEncoding::kUtf8);
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
    if (k >= limit || !QFileInfo::exists(candidate)) return candidate;
  }
}

QString MergeLabel(const QStringList& listNames) {
  QString label;
  for (const QString& name : listNames) label += QLatin1Char(' ') + name + QLatin1String(" +");
  while (label.endsWith(QLatin1Char('+'))) label.chop(1);
  return label;
}

}  // namespace vistrel
