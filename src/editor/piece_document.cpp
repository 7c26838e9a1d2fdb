#include "editor/piece_document.h"

#include <QTextDocument>
#include <utility>

namespace vistrel {

namespace {

constexpr int kContinuesLine = QTextFormat::UserProperty + 1;

QTextBlockFormat LineStart() { return QTextBlockFormat(); }

QTextBlockFormat Continuation() {
  QTextBlockFormat format;
  format.setProperty(kContinuesLine, true);
  return format;
}

// Text without line breaks, cut into pieces; positions of the breaks written are collected.
void WriteLine(QTextCursor& cursor, QStringView line, std::vector<qsizetype>& written) {
  qsizetype from = 0;
  for (const qsizetype cut : PieceCuts(line)) {
    cursor.insertText(line.mid(from, cut - from).toString());
    written.push_back(cursor.position());
    cursor.insertBlock(Continuation());
    from = cut;
  }
  cursor.insertText(line.mid(from).toString());
}

// Writes text; lines up to kMaxPiece long go in together after the first line break, which
// starts an ordinary block whose format the control copies to the lines inserted with it.
void Write(QTextCursor& cursor, QStringView text, std::vector<qsizetype>& written) {
  qsizetype lineStart = 0;
  qsizetype pending = 0;  // start of short lines not written yet
  auto flushShortLines = [&](qsizetype end) {
    if (end <= pending) return;
    QStringView lines = text.mid(pending, end - pending);
    const qsizetype firstBreak = lines.indexOf(QChar::ParagraphSeparator);
    if (firstBreak < 0) {
      cursor.insertText(lines.toString());
    } else {
      cursor.insertText(lines.left(firstBreak).toString());
      cursor.insertBlock(LineStart());
      cursor.insertText(lines.mid(firstBreak + 1).toString());
    }
  };
  while (lineStart <= text.size()) {
    qsizetype lineEnd = text.indexOf(QChar::ParagraphSeparator, lineStart);
    if (lineEnd < 0) lineEnd = text.size();
    if (lineEnd - lineStart > DisplayBreaks::kMaxPiece) {
      flushShortLines(lineStart);
      WriteLine(cursor, text.mid(lineStart, lineEnd - lineStart), written);
      if (lineEnd < text.size()) cursor.insertBlock(LineStart());
      pending = lineEnd + 1;
    }
    lineStart = lineEnd + 1;
  }
  flushShortLines(text.size());
}

}  // namespace

bool ContinuesLine(const QTextBlock& block) {
  return block.blockFormat().boolProperty(kContinuesLine);
}

void LoadPieces(QTextDocument* document, QStringView text, DisplayBreaks& breaks) {
  const bool undo = document->isUndoRedoEnabled();
  document->setUndoRedoEnabled(false);
  document->clear();
  QTextCursor cursor(document);
  cursor.beginEditBlock();
  std::vector<qsizetype> written;
  Write(cursor, text, written);
  cursor.endEditBlock();
  document->setUndoRedoEnabled(undo);
  breaks.Clear();
  breaks.Change(0, 0, 0, written);
}

void InsertLines(QTextCursor& cursor, QStringView text, DisplayBreaks& breaks) {
  const qsizetype start = cursor.position();
  std::vector<qsizetype> written;
  Write(cursor, text, written);
  breaks.Change(start, 0, cursor.position() - start, written);
}

bool CutLongBlocks(QTextDocument* document, qsizetype from, qsizetype to, DisplayBreaks& breaks,
                   bool joinPrevious) {
  std::vector<std::pair<qsizetype, std::vector<qsizetype>>> cuts;
  for (QTextBlock block = document->findBlock(static_cast<int>(from));
       block.isValid() && block.position() <= to; block = block.next()) {
    if (block.length() - 1 > DisplayBreaks::kMaxPiece)
      cuts.emplace_back(block.position(), PieceCuts(block.text()));
  }
  if (cuts.empty()) return false;
  // From the end back, so the positions still to cut stay where they were.
  QTextCursor cursor(document);
  if (joinPrevious)
    cursor.joinPreviousEditBlock();
  else
    cursor.beginEditBlock();
  for (auto block = cuts.rbegin(); block != cuts.rend(); ++block) {
    for (auto cut = block->second.rbegin(); cut != block->second.rend(); ++cut) {
      const qsizetype at = block->first + *cut;
      cursor.setPosition(static_cast<int>(at));
      cursor.insertBlock(Continuation());
      breaks.Change(at, 0, 1, {at});
    }
  }
  cursor.endEditBlock();
  return true;
}

std::vector<qsizetype> MarkedBreaks(const QTextDocument* document, qsizetype from, qsizetype to) {
  std::vector<qsizetype> found;
  if (to <= from) return found;
  for (QTextBlock block = document->findBlock(static_cast<int>(from + 1));
       block.isValid() && block.position() <= to; block = block.next()) {
    if (block.position() > from && ContinuesLine(block)) found.push_back(block.position() - 1);
  }
  return found;
}

}  // namespace vistrel
