#include "formatter/tag_text.h"

#include <algorithm>
#include <cstring>

#include "formatter/plain_run.h"

namespace vistrel {

void AppendNormalisedTag(QStringView raw, int tagCase, bool spaceAfter, QString* out) {
  const QChar* d = raw.data();
  const qsizetype n = raw.size();
  qsizetype caseEnd = 0;
  while (caseEnd < n && !IsSourceBlank(d[caseEnd]) && d[caseEnd] != QLatin1Char('"') &&
         d[caseEnd] != QLatin1Char('>'))
    ++caseEnd;
  const bool endsWithSpace = spaceAfter || (n > 0 && IsSourceBlank(d[n - 1]));
  // Blanks, then the "<"s, then blanks again go from the front; likewise ">"s from the back.
  qsizetype begin = 0;
  qsizetype end = n;
  while (begin < end && IsSourceBlank(d[begin])) ++begin;
  while (begin < end && d[begin] == QLatin1Char('<')) ++begin;
  while (begin < end && IsSourceBlank(d[begin])) ++begin;
  while (end > begin && IsSourceBlank(d[end - 1])) --end;
  while (end > begin && d[end - 1] == QLatin1Char('>')) --end;
  while (end > begin && IsSourceBlank(d[end - 1])) --end;
  // Written through a pointer: this runs for every tag of the page.
  const qsizetype start = out->size();
  out->resize(start + (end - begin) + 3);
  QChar* w = out->data() + start;
  *w++ = QLatin1Char('<');
  // The name holds no blank (it ends at the first), so only its case changes.
  const qsizetype nameEnd = std::min(caseEnd, end);
  qsizetype i = begin;
  for (; i < nameEnd; ++i) *w++ = QChar(ChangeLetterCase(d[i].unicode(), tagCase));
  bool lastBlank = false;
  const char16_t* units = reinterpret_cast<const char16_t*>(d);
  for (; i < end; ++i) {
    const qsizetype run = PlainRunEnd(units, i, end, kAboveSpace, kAboveSpaceCount);
    if (run > i) {
      std::memcpy(static_cast<void*>(w), units + i,
                  static_cast<size_t>(run - i) * sizeof(char16_t));
      w += run - i;
      lastBlank = false;
      i = run;
      if (i == end) break;
    }
    if (!IsSourceBlank(d[i])) {
      *w++ = d[i];
      lastBlank = false;
    } else {
      if (!lastBlank) *w++ = QLatin1Char(' ');
      lastBlank = true;
    }
  }
  *w++ = QLatin1Char('>');
  if (endsWithSpace) *w++ = QLatin1Char(' ');
  out->truncate(w - out->constData());
}

}  // namespace vistrel
