#include "filelists/list_entry.h"

#include <ctime>

namespace vistrel {

namespace {

void AppendTwoDigits(QString& out, int value) {
  out += QLatin1Char(char('0' + value / 10 % 10));
  out += QLatin1Char(char('0' + value % 10));
}

}  // namespace

QString ListDateText(qint64 stampNs) {
  // localtime_r instead of QDateTime: a search formats one date per hit. Most files of a
  // tree share a minute, so the last minute's text is kept per thread.
  const time_t seconds = time_t(stampNs / 1000000000LL - (stampNs % 1000000000LL < 0 ? 1 : 0));
  thread_local time_t minuteStart = 1;
  thread_local time_t minuteEnd = 0;
  thread_local QString minuteText;
  if (seconds >= minuteStart && seconds < minuteEnd) return minuteText;
  struct tm local {};
  if (!localtime_r(&seconds, &local)) return QStringLiteral("0000-00-00  00:00");
  QString out;
  out.reserve(17);
  out += QString::number(local.tm_year + 1900).rightJustified(4, QLatin1Char('0'));
  out += QLatin1Char('-');
  AppendTwoDigits(out, local.tm_mon + 1);
  out += QLatin1Char('-');
  AppendTwoDigits(out, local.tm_mday);
  out += QLatin1String("  ");
  AppendTwoDigits(out, local.tm_hour);
  out += QLatin1Char(':');
  AppendTwoDigits(out, local.tm_min);
  // The same local minute until its seconds run out (a clock change falls on a minute).
  minuteStart = seconds - local.tm_sec;
  minuteEnd = minuteStart + 60;
  minuteText = out;
  return out;
}

QString MakeListEntry(const QString& folder, const DirectoryEntry& entry) {
  const qsizetype dot = entry.name.lastIndexOf(QLatin1Char('.'));
  const QString base = dot < 0 ? entry.name : entry.name.left(dot);
  const QString ext = dot < 0 ? QString() : entry.name.mid(dot);
  QString line;
  line.reserve(folder.size() + entry.name.size() + 48);
  // Folders from a walk already end in one "/"; only others need the copy that mends them.
  const bool oneSeparator =
      folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1String("//"));
  line += oneSeparator ? folder : IncludeTrailingSeparator(folder);
  line += QLatin1Char('*');
  line += base;
  line += QLatin1Char('*');
  line += ext;
  line += QLatin1Char('*');
  line += QString::number(entry.size);
  line += QLatin1Char('*');
  line += ListDateText(entry.stampNs);
  return line;
}

ListRow SplitListEntry(const QString& entry) {
  ListRow row;
  qsizetype start = 0;
  for (int field = 0; field < kFieldCount; ++field) {
    const qsizetype star = entry.indexOf(QLatin1Char('*'), start);
    if (star < 0) {
      row[field] = entry.mid(start);
      break;
    }
    row[field] = entry.mid(start, star - start);
    start = star + 1;
  }
  return row;
}

QString JoinListRow(const ListRow& row) {
  QString line;
  line.reserve(row[0].size() + row[1].size() + row[2].size() + row[3].size() + row[4].size() + 4);
  for (int field = 0; field < kFieldCount; ++field) {
    if (field > 0) line += QLatin1Char('*');
    line += row[field];
  }
  return line;
}

QString FullPathOfRow(const ListRow& row) {
  return row[kFieldFolder] + row[kFieldFilename] + row[kFieldExt];
}

QString FullPathOfEntry(const QString& entry) { return FullPathOfRow(SplitListEntry(entry)); }

bool FitsInListEntry(const QString& text) {
  for (QChar c : text) {
    if (c == QLatin1Char('*') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) return false;
  }
  return true;
}

}  // namespace vistrel
