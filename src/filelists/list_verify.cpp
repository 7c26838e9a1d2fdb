#include "filelists/list_verify.h"

#include <algorithm>

#include "core/disk_name.h"
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
    QString reason;
    const EntryLookup found = LookUpEntry(path, &entry, &reason);
    if (found == EntryLookup::kUnreadable) {
      outcome.unreadable.append(PrintableName(path) + QStringLiteral(": ") + reason);
    } else if (found == EntryLookup::kMissing) {
      ++outcome.notFound;
      outcome.report.append(QStringLiteral("Not Found:  ") + path);
      continue;
    } else {
      const QString fresh = MakeListEntry(row[kFieldFolder], entry);
      if (fresh != JoinListRow(row)) {
        row = SplitListEntry(fresh);
        ++outcome.updated;
        outcome.report.append(QStringLiteral("Updated:  ") + path);
      }
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

QString UnreadableMessage(const VerifyOutcome& outcome) {
  if (outcome.unreadable.isEmpty()) return QString();
  constexpr qsizetype kShown = 10;
  QString message = QString::number(outcome.unreadable.size()) +
                    QStringLiteral(" entries could not be checked and were kept as they are:");
  for (qsizetype i = 0; i < std::min(kShown, outcome.unreadable.size()); ++i)
    message += QStringLiteral("\r\n") + outcome.unreadable.at(i);
  if (outcome.unreadable.size() > kShown) message += QStringLiteral("\r\n...");
  return message;
}

}  // namespace vistrel
