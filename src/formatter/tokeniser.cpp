#include "formatter/tokeniser.h"

#include "formatter/plain_run.h"
#include "formatter/tag_text.h"

#include <algorithm>
#include <cstring>

namespace vistrel {

namespace {

// Blocks whose inside is kept as it is; the opener is compared with the tag name, the closer
// is searched for in the source without regard to case.
enum Opener { kComment, kGenerated, kPre, kCell, kScript, kStyleSheet, kTextArea, kOpenerCount };
const char16_t* const kOpeners[kOpenerCount] = {u"<!--",     u"<!--~",   u"<PRE>",     u"<TD>",
                                                u"<SCRIPT>", u"<STYLE>", u"<TEXTAREA>"};
const char16_t* const kClosers[kOpenerCount] = {u"-->",      u"~-->",    u"</PRE",     u"</TD",
                                                u"</SCRIPT", u"</STYLE", u"</TEXTAREA"};

// Tags after which blanks in the source are not kept.
const char16_t* const kNoSpaceAfterTags[] = {
    u"<TR>",    u"</TR>",      u"</TD>",   u"</DD>",        u"</LI>",         u"<UL>",
    u"</UL>",   u"<OL>",       u"</OL>",   u"<BLOCKQUOTE>", u"</BLOCKQUOTE>", u"<BODY>",
    u"</BODY>", u"<HEAD>",     u"</HEAD>", u"<DIR>",        u"</DIR>",        u"<DL>",
    u"</DL>",   u"</CAPTION>", u"</DT>",   u"<FRAMESET>",   u"</FRAMESET>",   u"</H1>",
    u"</H2>",   u"</H3>",      u"</H4>",   u"</H5>",        u"</H6>",         u"<MAP>",
    u"</MAP>",  u"<MENU>",     u"</MENU>", u"<NOFRAMES>",   u"</NOFRAMES>",   u"<SELECT>",
    u"<TABLE>", u"</TABLE>",   u"</P>",    u"<TEXTAREA>",   u"</TEXTAREA>",   u"</TH>",
    u"<TITLE>", u"</TITLE>",   u"<HTML>",  u"<META>",       u"<OPTION>",      u"<HR>",
    u"<TD>"};

constexpr qsizetype kProgressStep = 1000;
// Token lines per piece when the stream is handed over as it is made: small enough to stay in
// the cache, large enough that handing over costs nothing.
constexpr size_t kPieceLines = 2048;

bool EqualsNoCase(QStringView text, QStringView pattern) {
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    char16_t a = text.at(i).unicode();
    const char16_t b = pattern.at(i).unicode();
    if (a >= 'a' && a <= 'z') a = static_cast<char16_t>(a - 32);
    if (a != b) return false;
  }
  return true;
}

}  // namespace

Tokeniser::Tokeniser(const QString& source, const Style& style, RunPacer& pacer)
    : source_(source), style_(style), pacer_(pacer) {}

TokenStream Tokeniser::Tokenise() {
  Run(nullptr);
  return std::move(out_);
}

void Tokeniser::Tokenise(const Consumer& consume) { Run(&consume); }

void Tokeniser::HandOver(const Consumer& consume) {
  consume(out_);
  out_.text.resize(0);
  out_.lines.clear();
  out_.blocks.clear();
}

void Tokeniser::Run(const Consumer* consume) {
  const qsizetype n = source_.size();
  const QChar* s = source_.constData();
  if (consume) {
    out_.lines.reserve(kPieceLines + 1);
    out_.text.reserve(std::min<qsizetype>(n, kPieceLines * 64));
  } else {
    out_.lines.reserve(static_cast<size_t>(n / 64));
    out_.text.reserve(n + n / 16);
  }
  pacer_.SetRange(n);
  qsizetype nextReport = kProgressStep;
  qsizetype p = 0;
  while (p < n) {
    pacer_.Poll();
    if (consume && out_.lines.size() >= kPieceLines) HandOver(*consume);
    if (p >= nextReport) {
      pacer_.Report(p);
      nextReport = (p / kProgressStep + 1) * kProgressStep;
    }
    if (s[p] != QLatin1Char('<')) {
      const qsizetype q = FindUnit(source_, p, u'<');
      buffer_.append(QStringView(s + p, q - p));
      p = q;
      continue;
    }
    const qsizetype end = TagEnd(p);
    const NameInfo info = InfoOfTag(QStringView(s + p, end - p + 1));
    if (info.opener == kCell) {
      const qsizetype cellEnd = BlockEnd(kCell, p + 1);
      if (IsTagsOnlyCell(p, cellEnd)) {
        FlushText();
        p = HandleTableCell(p, cellEnd);
        continue;
      }
    } else if (info.opener >= 0) {
      FlushText();
      p = HandleVerbatimBlock(p, info.opener);
      continue;
    }
    if (info.inlineSlot > 0) {
      p = HandleInlineTag(p, end, info);
      continue;
    }
    FlushText();
    p = HandleOrdinaryTag(p, end, info);
  }
  FlushText();
  if (consume) HandOver(*consume);
  pacer_.Report(n);
  pacer_.Report(0);
}

// Real tag names are short and few: each is worked out once a run.
Tokeniser::NameInfo Tokeniser::InfoOfTag(QStringView tagText) {
  if (!shortName_.Read(tagText)) {
    TagNameInto(tagText, &name_);
    return InfoOfName(name_);
  }
  if (const NameInfo* known = names_.Find(shortName_)) return *known;
  const NameInfo info = InfoOfName(shortName_.view());
  names_.Insert(shortName_, info);
  return info;
}

Tokeniser::NameInfo Tokeniser::InfoOfName(QStringView name) const {
  NameInfo info;
  info.inlineSlot = style_.tags.FindInlineName(name);
  for (int i = 0; i < kOpenerCount && info.opener < 0; ++i)
    if (name == QStringView(kOpeners[i])) info.opener = i;
  for (const char16_t* tag : kNoSpaceAfterTags)
    if (name == QStringView(tag)) info.noSpaceAfter = true;
  return info;
}

// The last position of the tag text at p: its first ">", or the end of the source.
qsizetype Tokeniser::TagEnd(qsizetype p) const {
  const qsizetype q = FindUnit(source_, p + 1, u'>');
  return q == source_.size() ? q - 1 : q;
}

// Searches move forward only, so an answer still ahead of the new start is the answer again;
// this keeps many cells without a closing tag from rescanning the rest of the source.
qsizetype Tokeniser::FindCloser(int opener, qsizetype from) {
  SearchMemo& memo = closerMemo_[opener];
  if (memo.from >= 0 && from >= memo.from && (memo.found < 0 || memo.found >= from))
    return memo.found;
  const QStringView closer(kClosers[opener]);
  const qsizetype n = source_.size();
  qsizetype found = -1;
  for (qsizetype i = from; (i = source_.indexOf(closer.at(0), i)) >= 0; ++i) {
    if (i + closer.size() > n) break;
    if (EqualsNoCase(QStringView(source_).mid(i, closer.size()), closer)) {
      found = i;
      break;
    }
  }
  memo = {from, found};
  return found;
}

// The first ">" from the last character of the closer on; the end of the source without one.
qsizetype Tokeniser::BlockEnd(int opener, qsizetype from) {
  const qsizetype last = source_.size() - 1;
  const qsizetype at = FindCloser(opener, from);
  if (at < 0) return last;
  const qsizetype end =
      source_.indexOf(QLatin1Char('>'), at + QStringView(kClosers[opener]).size() - 1);
  return end < 0 ? last : end;
}

// A cell holds nothing but tags when no character, not even a blank, stands between its tags.
bool Tokeniser::IsTagsOnlyCell(qsizetype p, qsizetype cellEnd) {
  const qsizetype n = source_.size();
  const QChar* s = source_.constData();
  const qsizetype openerEnd = source_.indexOf(QLatin1Char('>'), p);
  if (openerEnd < 0) return true;
  const qsizetype afterOpener = openerEnd + 1;
  qsizetype start = afterOpener;
  while (start < n && IsSourceBlank(s[start])) ++start;
  if (start > cellEnd) return true;
  // The last scan passed this cell's opening tag in the same state, so its answer holds.
  const bool reuse = start == afterOpener && cellScanStart_ >= 0 && p >= cellScanStart_ &&
                     (cellTextAt_ < 0 || start <= cellTextAt_);
  if (!reuse) {
    bool inside = false;
    qsizetype textAt = -1;
    for (qsizetype i = start; i < n && textAt < 0; ++i) {
      const QChar c = s[i];
      if (c == QLatin1Char('<')) {
        inside = true;
      } else if (c == QLatin1Char('>') && inside) {
        inside = false;
      } else if (!inside) {
        textAt = i;
      }
    }
    cellScanStart_ = start;
    cellTextAt_ = textAt;
  }
  return cellTextAt_ < 0 || cellTextAt_ > cellEnd;
}

bool Tokeniser::TakeSpaceAfter(const NameInfo& info, qsizetype* next) const {
  if (info.noSpaceAfter || *next >= source_.size() || !IsSourceBlank(source_.at(*next)))
    return false;
  ++*next;
  return true;
}

// Emits the collected text as one line: blanks and line ends become single spaces and the
// leading ones go. A buffer of blanks alone is kept and emits nothing.
void Tokeniser::FlushText() {
  const qsizetype size = buffer_.size();
  if (size == 0) return;
  const qsizetype start = out_.text.size();
  out_.text.resize(start + size);
  QChar* out = out_.text.data() + start;
  const char16_t* in = reinterpret_cast<const char16_t*>(buffer_.constData());
  qsizetype length = 0;
  bool lastSpace = true;
  bool other = false;
  for (qsizetype i = 0; i < size; ++i) {
    // Most characters are no blank and no CR: they go over in runs.
    const qsizetype run = PlainRunEnd(in, i, size, kAboveSpace, kAboveSpaceCount);
    if (run > i) {
      std::memcpy(static_cast<void*>(out + length), in + i,
                  static_cast<size_t>(run - i) * sizeof(char16_t));
      length += run - i;
      lastSpace = false;
      other = true;
      i = run;
      if (i == size) break;
    }
    const QChar c(in[i]);
    if (c == QLatin1Char(' ') || c == QLatin1Char('\n') || c == QLatin1Char('\t')) {
      if (!lastSpace) out[length++] = QLatin1Char(' ');
      lastSpace = true;
    } else {
      other = other || c != QLatin1Char('\r');
      out[length++] = c;
      lastSpace = false;
    }
  }
  out_.text.truncate(start + (other ? length : 0));
  if (!other) return;
  EndTokenLine(start);
  buffer_.resize(0);
}

// The shared text from start on becomes the next token line.
void Tokeniser::EndTokenLine(qsizetype start) {
  out_.lines.push_back({start, out_.text.size() - start, -1});
}

// The tag text runs from p to end.
qsizetype Tokeniser::HandleOrdinaryTag(qsizetype p, qsizetype end, const NameInfo& info) {
  qsizetype next = end + 1;
  const bool spaceAfter = TakeSpaceAfter(info, &next);
  const qsizetype start = out_.text.size();
  AppendNormalisedTag(QStringView(source_).mid(p, end - p + 1), style_.options.TagCase, spaceAfter,
                      &out_.text);
  EndTokenLine(start);
  buffer_.resize(0);
  return next;
}

qsizetype Tokeniser::HandleInlineTag(qsizetype p, qsizetype end, const NameInfo& info) {
  qsizetype next = end + 1;
  const QStringView raw = QStringView(source_).mid(p, end - p + 1);
  if (raw.size() < 2) {
    buffer_.append(raw);
    return next;
  }
  const TTagInfo& slot = style_.tags.slot(info.inlineSlot);
  if (slot.CRLFLeading > 0 && raw.at(1) != QLatin1Char('/')) FlushText();
  const bool spaceAfter = TakeSpaceAfter(info, &next);
  const qsizetype start = buffer_.size();
  AppendNormalisedTag(raw, style_.options.TagCase, spaceAfter, &buffer_);
  if (slot.CRLFFollowed > 0 && buffer_.at(start + 1) == QLatin1Char('/')) FlushText();
  return next;
}

qsizetype Tokeniser::HandleVerbatimBlock(qsizetype p, int opener) {
  buffer_.resize(0);
  if (opener == kGenerated) {
    // Only a comment that really ends with "~-->" came from an earlier run and goes; a
    // comment of the author's that merely starts with "<!--~" is kept like any comment.
    const qsizetype generatedEnd = FindCloser(kGenerated, p + 1);
    if (generatedEnd >= 0 && FindCloser(kComment, p + 1) == generatedEnd + 1)
      return generatedEnd + 4;
    opener = kComment;
  }
  const qsizetype end = BlockEnd(opener, p + 1);
  AddBlock(QString::fromUtf16(kOpeners[opener]), QStringView(source_).mid(p, end - p + 1), false);
  return end + 1;
}

qsizetype Tokeniser::HandleTableCell(qsizetype p, qsizetype cellEnd) {
  buffer_.resize(0);
  AddBlock(QString::fromUtf16(kOpeners[kCell]), QStringView(source_).mid(p, cellEnd - p + 1), true);
  return cellEnd + 1;
}

void Tokeniser::AddBlock(const QString& opener, QStringView text, bool collapse) {
  VerbatimBlock block;
  block.opener = opener;
  block.runNumber = ++runNumber_;
  if (collapse) {
    // A tags-only cell: one line, blanks collapsed, the case of every tag name changed.
    QString cell = text.toString();
    QChar* data = cell.data();
    const int tagCase = style_.options.TagCase;
    bool inName = false;
    for (qsizetype i = 0; i < cell.size(); ++i) {
      char16_t u = data[i].unicode();
      if (u == '\n' || u == '\t') u = ' ';
      if (u == '<')
        inName = true;
      else if (u == ' ' || u == '"' || u == '>')
        inName = false;
      else if (inName)
        u = ChangeLetterCase(u, tagCase);
      data[i] = QChar(u);
    }
    QString line;
    line.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i)
      if (!(data[i] == QLatin1Char(' ') && i > 0 && data[i - 1] == QLatin1Char(' ')))
        line.append(data[i]);
    block.lines.append(line);
  } else {
    // Every LF ends a line; the lines themselves are kept exactly.
    qsizetype start = 0;
    while (start < text.size()) {
      qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
      if (lf < 0) lf = text.size();
      const QStringView line = text.mid(start, lf - start);
      block.lines.append(line == QLatin1String(" ") ? QString() : line.toString());
      start = lf + 1;
    }
  }
  out_.lines.push_back({out_.text.size(), 0, static_cast<int>(out_.blocks.size())});
  out_.blocks.push_back(std::move(block));
}

}  // namespace vistrel
