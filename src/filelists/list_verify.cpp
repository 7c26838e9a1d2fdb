#include "filelists/list_verify.h"

#include "filelists/native_entry.h"

namespace vistrel {

const char* const kNoValidEntriesLeft = "No more valid entries left in this list!";

VerifyOutcome VerifyRows(std::vector<ListRow>& rows, const std::function<void()>& advance) {
  VerifyOutcome outcome;
  outcome.total = int(rows.size());
  const size_t step = (rows.size() + 1) / 10 + 1;
  // Rows that stay are moved down over the removed ones, so removal costs nothing extra.
  size_t kept = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    ListRow& row = rows[i];
    const QString path = FullPathOfRow(row);
    DirectoryEntry entry;
    if (!NativeEntryExists(path, &entry)) {
      ++outcome.notFound;
      outcome.report.append(QStringLiteral("Not Found:  ") + path);
      continue;
    }
    const QString fresh = MakeListEntry(row[kFieldFolder], entry);
    if (fresh != JoinListRow(row)) {
      row = SplitListEntry(fresh);
      ++outcome.updated;
      outcome.report.append(QStringLiteral("Updated:  ") + path);
    }
    if (kept != i) rows[kept] = std::move(row);
    ++kept;
    if (advance && kept % step == 0) advance();
  }
  rows.resize(kept);
  return outcome;
}

QString VerifyQuestion(const VerifyOutcome& outcome) {
  return QStringLiteral("Loaded list contains ") + QString::number(outcome.total) +
         QStringLiteral(" entries.\r\n\r\n") + QString::number(outcome.notFound) +
         QStringLiteral(" orphaned file entries removed from list\r\n") +
         QString::number(outcome.updated) +
         QStringLiteral(" file entries updated\r\n\r\nSave updated list before continue?");
}

}  // namespace vistrel
