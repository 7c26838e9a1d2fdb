#include "filelists/list_sort.h"

#include <QDateTime>
#include <algorithm>
#include <numeric>

namespace vistrel {

namespace {

// The first character of a format that is not a field letter: the user's separator.
QChar SeparatorOf(const QString& format, QChar fallback) {
  for (QChar c : format) {
    if (!c.isLetter() && c != QLatin1Char(' ') && c != QLatin1Char('\'')) return c;
  }
  return fallback;
}

struct SmartFormats {
  QChar dateSeparator;
  QChar timeSeparator;
  QStringList formats;  // date, time and date-and-time, short and long
};

SmartFormats FormatsOf(const QLocale& locale) {
  SmartFormats f;
  f.dateSeparator = SeparatorOf(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
  f.timeSeparator = SeparatorOf(locale.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
  f.formats << locale.dateTimeFormat(QLocale::ShortFormat)
            << locale.dateFormat(QLocale::ShortFormat) << locale.timeFormat(QLocale::ShortFormat)
            << locale.timeFormat(QLocale::LongFormat);
  return f;
}

SmartCellValue ReadCell(const QString& cell, const QLocale& locale, const SmartFormats& f) {
  SmartCellValue v;
  const QString text = cell.trimmed();
  if (text.contains(f.dateSeparator) || text.contains(f.timeSeparator)) {
    for (const QString& format : f.formats) {
      const QDateTime when = locale.toDateTime(text, format);
      if (when.isValid()) {
        v.kind = SmartCellValue::kTime;
        v.value = double(when.toMSecsSinceEpoch());
        return v;
      }
      const QTime time = locale.toTime(text, format);
      if (time.isValid()) {
        v.kind = SmartCellValue::kTime;
        v.value = double(time.msecsSinceStartOfDay());
        return v;
      }
    }
  }
  bool ok = false;
  double number = locale.toDouble(text, &ok);
  if (!ok) number = text.toDouble(&ok);
  if (ok) {
    v.kind = SmartCellValue::kNumber;
    v.value = number;
  }
  return v;
}

}  // namespace

SmartCellValue ReadSmartCell(const QString& cell, const QLocale& locale) {
  return ReadCell(cell, locale, FormatsOf(locale));
}

std::vector<size_t> SortedRowOrder(const std::vector<ListRow>& rows, int column, bool ascending,
                                   ListCompareMode mode, const QLocale& locale) {
  std::vector<size_t> order(rows.size());
  std::iota(order.begin(), order.end(), size_t(0));
  if (column < 0 || column >= kFieldCount) return order;

  // Keys made once per sort: collating inside each comparison would cost n log n collations.
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseSensitive);
  std::vector<QCollatorSortKey> keys;
  keys.reserve(rows.size());
  for (const ListRow& row : rows) keys.push_back(collator.sortKey(row[column]));

  std::vector<SmartCellValue> values;
  if (mode == ListCompareMode::kSmart) {
    const SmartFormats formats = FormatsOf(locale);
    values.reserve(rows.size());
    for (const ListRow& row : rows) values.push_back(ReadCell(row[column], locale, formats));
  }
  const auto less = [&](size_t a, size_t b) {
    if (!values.empty()) {
      const SmartCellValue& va = values[a];
      const SmartCellValue& vb = values[b];
      if (va.kind == vb.kind && va.kind != SmartCellValue::kText) return va.value < vb.value;
    }
    return keys[a].compare(keys[b]) < 0;
  };
  if (ascending)
    std::stable_sort(order.begin(), order.end(), less);
  else
    std::stable_sort(order.begin(), order.end(),
                     [&less](size_t a, size_t b) { return less(b, a); });
  return order;
}

}  // namespace vistrel
