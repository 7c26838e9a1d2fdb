#pragma once

#include <QString>
#include <functional>

namespace vistrel {

// The text from the last "<" before a position through the first ">" at or after it.
struct TagSpan {
  qsizetype Position = 0;
  qsizetype Start = 0;  // of the "<"
  qsizetype End = 0;    // after the ">"
  qsizetype Length = 0;
  QString Text;
  bool Found = false;
};

// Reads `length` characters from `from` of the searched text.
using TextSlice = std::function<QString(qsizetype from, qsizetype length)>;

// Searches backwards in windows of 128 characters and forwards in growing windows, at most
// 1,000,000 characters each way, so the cost follows the distance to the tag, not the size
// of the text. Position 0 finds nothing.
TagSpan FindTagAround(qsizetype textLength, const TextSlice& slice, qsizetype position);

}  // namespace vistrel
