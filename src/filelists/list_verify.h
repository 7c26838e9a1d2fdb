#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "filelists/list_entry.h"

namespace vistrel {

struct VerifyOutcome {
  int total = 0;
  int notFound = 0;
  int updated = 0;
  QStringList report;  // "Not Found:  path" and "Updated:  path", in the order they arose
  // Rows kept as they were because the disk would not say whether their file is there:
  // "path: reason", the path printable.
  QStringList unreadable;
};

// Tests every row against the disk: rows whose file is gone are removed, rows whose name
// case, size or time (to the minute) changed are rewritten; the Folder text stays as stored.
// A FIFO, socket or device is looked at, never opened. A row whose path cannot be looked at
// (a folder without permission) stays unchanged and is named in unreadable: losing it from
// the list for a passing permission problem would be data loss.
// advance() runs at each tenth of the way, for a progress bar.
VerifyOutcome VerifyRows(std::vector<ListRow>& rows, const std::function<void()>& advance = {});

// The question asked after a verification that changed something.
QString VerifyQuestion(const VerifyOutcome& outcome);

// The message naming the rows that could not be checked; "" when there are none.
QString UnreadableMessage(const VerifyOutcome& outcome);

extern const char* const kNoValidEntriesLeft;

}  // namespace vistrel
