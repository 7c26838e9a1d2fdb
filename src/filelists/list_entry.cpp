#include "filelists/list_entry.h"

#include <algorithm>
#include <charconv>
#include <ctime>

namespace vistrel {

namespace {

void AppendTwoDigits(char*& out, int value) {
  *out++ = char('0' + value / 10 % 10);
  *out++ = char('0' + value % 10);
}

// The date text of a stamp, kept per thread: localtime_r instead of QDateTime, since a search
// formats one date per hit, and most files of a tree share a minute, so the last minute's
// text is kept.
QLatin1StringView DateChars(qint64 stampNs) {
  const time_t seconds = time_t(stampNs / 1000000000LL - (stampNs % 1000000000LL < 0 ? 1 : 0));
  thread_local time_t minuteStart = 1;
  thread_local time_t minuteEnd = 0;
  thread_local char text[32];
  thread_local qsizetype length = 0;
  if (seconds >= minuteStart && seconds < minuteEnd) return QLatin1StringView(text, length);
  struct tm local {};
  if (!localtime_r(&seconds, &local)) return QLatin1StringView("0000-00-00  00:00");
  char year[16];
  const auto [yearEnd, error] = std::to_chars(year, year + sizeof year, local.tm_year + 1900);
  char* out = text;
  for (qsizetype pad = 4 - (yearEnd - year); pad > 0; --pad) *out++ = '0';
  out = std::copy(year, yearEnd, out);
  *out++ = '-';
  AppendTwoDigits(out, local.tm_mon + 1);
  *out++ = '-';
  AppendTwoDigits(out, local.tm_mday);
  *out++ = ' ';
  *out++ = ' ';
  AppendTwoDigits(out, local.tm_hour);
  *out++ = ':';
  AppendTwoDigits(out, local.tm_min);
  length = out - text;
  // The same local minute until its seconds run out (a clock change falls on a minute).
  minuteStart = seconds - local.tm_sec;
  minuteEnd = minuteStart + 60;
  return QLatin1StringView(text, length);
}

}  // namespace

QString ListDateText(qint64 stampNs) { return DateChars(stampNs); }

void AppendListFields(QByteArray& out, QByteArrayView name, qint64 size, qint64 stampNs) {
  const qsizetype dot = name.lastIndexOf('.');
  out += '*';
  if (dot < 0) {
    out.append(name);
    out += '*';
  } else {
    out.append(name.first(dot));
    out += '*';
    out.append(name.sliced(dot));
  }
  out += '*';
  char digits[24];
  const auto [digitsEnd, error] = std::to_chars(digits, digits + sizeof digits, size);
  out.append(digits, digitsEnd - digits);
  out += '*';
  const QLatin1StringView date = DateChars(stampNs);
  out.append(date.data(), date.size());
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
  line += DateChars(entry.stampNs);
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

bool FitsInListEntry(QByteArrayView bytes) {
  for (char c : bytes) {
    if (c == '*' || c == '\n' || c == '\r') return false;
  }
  return true;
}

}  // namespace vistrel
