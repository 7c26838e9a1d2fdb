#pragma once

#include <QCollator>
#include <QLocale>
#include <QString>
#include <vector>

#include "filelists/list_entry.h"

namespace vistrel {

// Text compares by the user's locale with letter case significant; smart (chosen by a click
// on "Size") compares dates and times as points in time, numbers numerically, else as text.
enum class ListCompareMode { kText, kSmart };

// The order of rows for one column: row indices, sorted stably.
std::vector<size_t> SortedRowOrder(const std::vector<ListRow>& rows, int column, bool ascending,
                                   ListCompareMode mode, const QLocale& locale = QLocale());

// A cell as the smart comparison reads it.
struct SmartCellValue {
  enum Kind { kTime, kNumber, kText } kind = kText;
  double value = 0;
};
SmartCellValue ReadSmartCell(const QString& cell, const QLocale& locale);

}  // namespace vistrel
