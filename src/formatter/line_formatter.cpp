#include "formatter/line_formatter.h"

#include <algorithm>

#include "formatter/plain_run.h"

namespace vistrel {

namespace {

// Output characters handed to a sink at a time: a piece stays in the cache.
constexpr qsizetype kPieceSize = 32 * 1024;
const QString kCellOpener = QStringLiteral("<TD>");

qint64 CodePoints(QStringView text) {
  qint64 count = 0;
  for (const QChar c : text)
    if (!c.isLowSurrogate()) ++count;
  return count;
}

}  // namespace

LineFormatter::LineFormatter(const Style& style, const QString& baseIndent, RunPacer& pacer)
    : style_(style),
      options_(style.options),
      baseIndent_(baseIndent.left(kMaxIndentColumns)),
      pacer_(pacer),
      counters_(style.tags) {}

QString LineFormatter::FormatLines(const TokenStream& tokens) {
  qsizetype size = 0;
  for (const TokenLine& token : tokens.lines) size += token.length + 8;
  for (const VerbatimBlock& block : tokens.blocks)
    for (const QString& line : block.lines) size += line.size() + 2;
  Begin({}, size + size / 4);
  AddTokens(tokens);
  return Finish();
}

void LineFormatter::Begin(Sink sink, qsizetype expectedSize) {
  counters_.ResetCounters();
  level_ = 0;
  sink_ = std::move(sink);
  out_.clear();
  out_.reserve(sink_ ? kPieceSize + kPieceSize / 4 : expectedSize);
}

void LineFormatter::AddTokens(const TokenStream& tokens) {
  for (const TokenLine& token : tokens.lines) {
    pacer_.Poll();
    if (token.IsBlockMarker()) {
      if (token.block < static_cast<int>(tokens.blocks.size()))
        CopyBlock(tokens.blocks[static_cast<size_t>(token.block)]);
    } else {
      const QStringView text = tokens.TextOf(token);
      if (text.startsWith(QLatin1Char('<')))
        FormatTagLine(text);
      else
        BreakLine(text);
    }
    if (sink_ && out_.size() >= kPieceSize) {
      sink_(out_);
      out_.resize(0);
    }
  }
}

QString LineFormatter::Finish() {
  if (!sink_) return std::move(out_);
  if (!out_.isEmpty()) sink_(out_);
  out_.clear();
  return {};
}

void LineFormatter::FormatTagLine(QStringView line) {
  const Found found = Lookup(line);
  const TTagInfo& record = *found.record;
  if (found.direction > 0 && record.TreatAsText) {
    // An inline tag that starts a line: the line is text, but the tag closing it may want
    // its end comment and the empty lines after it.
    QStringView lastTag;
    QStringView trimmed = line;
    while (trimmed.endsWith(QLatin1Char(' '))) trimmed.chop(1);
    if (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('>')))
      lastTag = trimmed.mid(trimmed.lastIndexOf(QLatin1Char('<')));
    AddEmptyLines(1, record);
    GenerateComment(1, record);
    BreakLine(line);
    if (!lastTag.isEmpty() && TagName(lastTag) != record.TagOpen) {
      const Found last = Lookup(lastTag);
      GenerateComment(last.direction, *last.record);
      AddEmptyLines(last.direction, *last.record);
    }
  } else if (found.direction > 0) {
    AddEmptyLines(1, record);
    RaiseLevel(record.isSelfIndent);
    GenerateComment(1, record);
    AddIndented(line);
    RaiseLevel(record.isContentIndent);
  } else {
    LowerLevel(record.isContentIndent, record.TreatAsText);
    AddIndented(line);
    GenerateComment(-1, record);
    LowerLevel(record.isSelfIndent, record.TreatAsText);
    AddEmptyLines(-1, record);
  }
}

// The table's lookup depends on the tag name alone, so each name is looked up once a run.
LineFormatter::Found LineFormatter::Lookup(QStringView tagText) {
  int direction = 1;
  if (!shortName_.Read(tagText)) {
    TagNameInto(tagText, &name_);
    const int slot = style_.tags.MatchName(name_, &direction);
    return Found{direction, &style_.tags.slot(slot)};
  }
  if (const auto* known = lookups_.Find(shortName_))
    return Found{known->second, &style_.tags.slot(known->first)};
  const int slot = style_.tags.MatchName(shortName_.view(), &direction);
  lookups_.Insert(shortName_, {slot, direction});
  return Found{direction, &style_.tags.slot(slot)};
}

void LineFormatter::CopyBlock(const VerbatimBlock& block) {
  const bool cell = block.IsTableCell();
  const TTagInfo* record = nullptr;
  if (cell) {
    record = Lookup(kCellOpener).record;
    AddEmptyLines(1, *record);
    RaiseLevel(record->isSelfIndent);
    GenerateComment(1, *record);
  }
  for (const QString& line : block.lines) {
    if (line == QLatin1String(" ")) {
      AddEmptyLine();
    } else if (cell) {
      AddIndented(line);
    } else {
      AddUnindented(line);  // as in the source, but for trailing blanks like every line
    }
  }
  if (cell) {
    GenerateComment(-1, *record);
    LowerLevel(record->isSelfIndent, false);
    AddEmptyLines(-1, *record);
  }
}

void LineFormatter::AddEmptyLines(int direction, const TTagInfo& record) {
  const qint64 n = std::min<qint64>(direction > 0 ? record.CRLFLeading : record.CRLFFollowed,
                                    kMaxEmptyLines + 1);
  for (qint64 i = 1; i < n; ++i) AddEmptyLine();
}

void LineFormatter::RaiseLevel(int amount) {
  if (amount > 0) level_ += amount;
}

// The level never goes below 0: a decrease larger than the level is skipped.
void LineFormatter::LowerLevel(int amount, bool inlineTag) {
  if (amount > 0 && amount <= level_ && !inlineTag) level_ -= amount;
}

const QString& LineFormatter::Prefix() {
  if (prefixLevel_ != level_) {
    // Levels go up and down by a few all the time: each prefix is made once a run.
    const size_t index = static_cast<size_t>(std::min<qint64>(level_, kMaxIndentColumns));
    if (index < prefixes_.size() && !prefixes_[index].isNull()) {
      prefix_ = prefixes_[index];
      prefixLevel_ = level_;
      return prefix_;
    }
    // Tab stops are 8 columns apart: a tab per full 8 columns, then spaces.
    const qint64 spacing = std::max<qint64>(options_.Spacing, 0);
    const qint64 columns =
        std::min<qint64>(std::min<qint64>(level_, kMaxIndentColumns) * spacing, kMaxIndentColumns);
    prefix_ = baseIndent_ + QString(columns / 8, QLatin1Char('\t')) +
              QString(columns % 8, QLatin1Char(' '));
    prefixLevel_ = level_;
    if (index >= prefixes_.size()) prefixes_.resize(index + 1);
    prefixes_[index] = prefix_;
  }
  return prefix_;
}

QString LineFormatter::IndentLine(const QString& line) {
  if (line.isEmpty() || line.startsWith(QLatin1Char('\t'))) return line;
  return Prefix() + line;
}

void LineFormatter::AddIndented(QStringView line) {
  if (!line.isEmpty() && !line.startsWith(QLatin1Char('\t'))) out_.append(Prefix());
  AddUnindented(line);
}

void LineFormatter::AddUnindented(QStringView line) {
  const qsizetype lineStart = out_.size();
  out_.append(line);
  qsizetype end = out_.size();
  while (end > lineStart && out_.at(end - 1) == QLatin1Char(' ')) --end;
  out_.truncate(end);
  out_.append(QLatin1String("\r\n"));
}

void LineFormatter::AddEmptyLine() { out_.append(QLatin1String("\r\n")); }

// Breaks text longer than the line size at blanks that are not protected (inside double
// quotes, or inside tags, as the style chooses). Pieces end with their blank; a word longer
// than the line size stays whole. The line is measured as it comes, trailing blanks included,
// though they never reach the output.
void LineFormatter::BreakLine(QStringView line) {
  const qint64 lineSize = options_.LineSize;
  const QChar* data = line.data();
  const qsizetype size = line.size();
  if (size == 0) return;
  // No more code units than the line size: no more characters either, nothing to break.
  if (size <= lineSize) {
    AddIndented(line);
    return;
  }
  const bool quotes = options_.BreakExcluder == QLatin1String("\"");
  // Characters from here up to the surrogates neither guard nor break, and count one each:
  // the scan passes them in bulk.
  const char16_t plainFrom = quotes ? u'"' + 1 : u'>' + 1;
  const char16_t* d = reinterpret_cast<const char16_t*>(data);
  qsizetype start = 0;
  // A rest of no more code points than the line size never finds a cut, so the scan itself
  // decides; no more code units is the cheap sign that the rest fits.
  while (size - start > lineSize) {
    bool guarded = false;
    qsizetype lowSurrogates = 0;
    qsizetype lastSpace = -1;
    qsizetype cut = -1;
    for (qsizetype i = start; i < size; ++i) {
      i = PlainRunEnd(d, i, size, plainFrom, static_cast<char16_t>(0xDC00 - plainFrom));
      if (i == size) break;
      const char16_t u = d[i];
      if (u >= 0xDC00) {
        if (u < 0xE000) ++lowSurrogates;
        continue;
      }
      if (quotes) {
        if (u == u'"') guarded = !guarded;
      } else if (u == u'<') {
        guarded = true;
      } else if (u == u'>') {
        guarded = false;
      }
      if (u != u' ' || guarded) continue;
      // Code points from start up to and including this blank.
      if (i - start + 1 - lowSurrogates > lineSize) {
        cut = lastSpace >= 0 ? lastSpace : i;
        break;
      }
      lastSpace = i;
    }
    if (cut < 0) break;
    AddIndented(line.mid(start, cut - start + 1));
    start = cut + 1;
  }
  if (start < size) AddIndented(line.mid(start));
}

void LineFormatter::GenerateComment(int direction, const TTagInfo& record) {
  if (options_.DoDisableComments) return;
  // Inline tags that stay inside the text never get comments.
  if (record.TreatAsText && (direction > 0 ? record.CRLFLeading : record.CRLFFollowed) < 1) return;
  QString text;
  QString number;
  if (direction > 0) {
    if (!record.DoGenerateSComment) return;
    text = record.StartComment;
    number = counters_.NextStartNumber(record);
  } else {
    if (!record.DoGenerateEComment) return;
    text = record.EndComment;
    number = counters_.PopEndNumber(record);
  }
  const qint64 pad = std::min<qint64>(
      (qint64{record.CommentLength} - CodePoints(text) - CodePoints(number) - 10) / 2,
      kMaxCommentPad);
  QString fill;
  for (qint64 i = 0; i < pad; ++i) fill += record.CommentSymbol;
  QString comment = QStringLiteral("<!--~") + fill;
  if (!text.isEmpty()) comment += QLatin1Char(' ') + text + number + QLatin1Char(' ');
  comment += fill + QStringLiteral("~-->");
  if (record.Cindent)
    AddIndented(comment);
  else
    AddUnindented(comment);
}

}  // namespace vistrel
