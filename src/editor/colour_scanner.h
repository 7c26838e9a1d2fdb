#pragma once

#include <QStringView>
#include <vector>

namespace vistrel {

// The four kinds of source text; their order is the colour table order of the RTF.
enum class ColourClass : unsigned char { kText = 0, kTag = 1, kQuoted = 2, kComment = 3 };

// One stretch of equally coloured characters, positions relative to the scanned text.
struct ColourRun {
  qsizetype start = 0;
  qsizetype length = 0;
  ColourClass colour = ColourClass::kText;
  // kTag: this run begins the tag (its "<"); later runs continue it after a quoted value.
  // kComment: its "-->" was found; an unclosed comment runs to the end of the text.
  bool flag = false;
};

// Splits HTML source into colour runs: plain text, tags ("<" through ">", ended early by
// the next "<"), double-quoted values inside tags (ended early by "<" or ">") and comments
// ("<!--" through "-->", where "<!-->" is already complete). Runs cover the text without
// gaps, in order; a tag split by quoted values gives several tag runs.
std::vector<ColourRun> ScanColourRuns(QStringView text);

}  // namespace vistrel
