#pragma once

#include <QString>
#include <functional>
#include <utility>
#include <vector>

#include "formatter/name_cache.h"
#include "formatter/run_hooks.h"
#include "formatter/style.h"
#include "formatter/tag_counters.h"
#include "formatter/token_stream.h"

namespace vistrel {

// The second pass of a formatting run: indents the token lines by nesting level, breaks
// running text to the line size, adds the configured empty lines and generated comments, and
// copies verbatim blocks back. One object per run.
class LineFormatter {
 public:
  // Hostile input must not multiply the output: nesting deeper than this many columns, a
  // longer base indent and wider comment fills are cut to these limits.
  static constexpr qint64 kMaxIndentColumns = 1024;
  static constexpr qint64 kMaxCommentPad = 1024;
  static constexpr qint64 kMaxEmptyLines = 1024;

  // Takes the output in pieces of whole lines.
  using Sink = std::function<void(QStringView)>;

  LineFormatter(const Style& style, const QString& baseIndent, RunPacer& pacer);

  // The formatted lines, each ended by CR LF.
  QString FormatLines(const TokenStream& tokens);

  // The same run in steps: Begin, AddTokens for each piece of the token stream in order, then
  // Finish. With a sink the output goes to it whenever a piece has gathered and Finish
  // returns ""; without one Finish returns the whole output. expectedSize only sizes the
  // buffer.
  void Begin(Sink sink, qsizetype expectedSize);
  void AddTokens(const TokenStream& tokens);
  QString Finish();

  // The steps of the pass; all but IndentLine add to the output.
  QString IndentLine(const QString& line);
  void BreakLine(QStringView line);
  void GenerateComment(int direction, const TTagInfo& record);

 private:
  struct Found {
    int direction = 1;
    const TTagInfo* record = nullptr;
  };

  void FormatTagLine(QStringView line);
  void CopyBlock(const VerbatimBlock& block);
  void AddEmptyLines(int direction, const TTagInfo& record);
  void RaiseLevel(int amount);
  void LowerLevel(int amount, bool inlineTag);
  const QString& Prefix();
  // Adds a line, indented unless it is empty or starts with a tab; trailing spaces (not
  // tabs) never reach the output.
  void AddIndented(QStringView line);
  void AddUnindented(QStringView line);
  void AddEmptyLine();
  Found Lookup(QStringView tagText);

  const Style& style_;
  const FormatOptions& options_;
  QString baseIndent_;
  RunPacer& pacer_;
  TagCounters counters_;
  qint64 level_ = 0;
  qint64 prefixLevel_ = -1;  // the level prefix_ was made for
  QString prefix_;
  std::vector<QString> prefixes_;  // by level, made when first needed
  QString out_;
  Sink sink_;
  QString name_;
  ShortTagName shortName_;
  NameCache<std::pair<int, int>> lookups_;  // tag name -> (slot, direction)
};

}  // namespace vistrel
