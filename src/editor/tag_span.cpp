#include "editor/tag_span.h"

#include <algorithm>

namespace vistrel {

namespace {
constexpr qsizetype kBackWindow = 128;
constexpr qsizetype kSearchLimit = 1000000;
}  // namespace

TagSpan FindTagAround(qsizetype textLength, const TextSlice& slice, qsizetype position) {
  TagSpan span;
  span.Position = position;
  if (position < 1 || position > textLength) return span;

  qsizetype open = -1;
  const qsizetype backLimit = std::max<qsizetype>(0, position - kSearchLimit);
  for (qsizetype to = position; to > backLimit && open < 0; to -= kBackWindow) {
    const qsizetype from = std::max(backLimit, to - kBackWindow);
    const qsizetype hit = slice(from, to - from).lastIndexOf(u'<');
    if (hit >= 0) open = from + hit;
  }
  if (open < 0) return span;

  qsizetype close = -1;
  const qsizetype forwardLimit = std::min(textLength, position + kSearchLimit);
  for (qsizetype from = position, window = kBackWindow; from < forwardLimit && close < 0;
       from += window, window *= 2) {
    const qsizetype length = std::min(window, forwardLimit - from);
    const qsizetype hit = slice(from, length).indexOf(u'>');
    if (hit >= 0) close = from + hit;
  }
  if (close < 0) return span;

  span.Start = open;
  span.End = close + 1;
  span.Length = span.End - span.Start;
  span.Text = slice(span.Start, span.Length);
  span.Found = true;
  return span;
}

}  // namespace vistrel
