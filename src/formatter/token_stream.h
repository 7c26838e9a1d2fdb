#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace vistrel {

// A stretch of the source taken out of the token lines and written back unchanged: a
// comment, a preformatted text, a script, a style sheet, a text area, or a table cell that
// holds nothing but tags (stored as one collapsed line).
struct VerbatimBlock {
  QString opener;     // "<!--", "<PRE>", "<TD>", ...
  int runNumber = 0;  // 1 for the first block of a run, then counting every block
  QStringList lines;
  bool IsTableCell() const { return opener == QLatin1String("<TD>"); }
};

// One token line: a tag, a text (possibly with inline tags), or a block marker. The marker
// is a separate kind rather than a reserved text, so no text of the page can pass for one.
// Its text is a stretch of the stream's shared text: one allocation for all lines of a run.
struct TokenLine {
  qsizetype start = 0;
  qsizetype length = 0;  // 0 for a marker
  int block = -1;        // index into TokenStream::blocks for a marker
  bool IsBlockMarker() const { return block >= 0; }
};

struct TokenStream {
  QString text;  // the texts of all token lines, one after the other
  std::vector<TokenLine> lines;
  std::vector<VerbatimBlock> blocks;

  QStringView TextOf(const TokenLine& line) const {
    return QStringView(text).mid(line.start, line.length);
  }
};

// A readable name of a marker for diagnostics and tests, e.g. "<PRE>:3".
inline QString MarkerName(const VerbatimBlock& block) {
  return block.opener + QLatin1Char(':') + QString::number(block.runNumber);
}

}  // namespace vistrel
