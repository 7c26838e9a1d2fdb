#pragma once

#include <QStringView>
#include <QTextBlock>
#include <QTextCursor>
#include <vector>

#include "editor/display_breaks.h"

class QTextDocument;

namespace vistrel {

// Writing text into the control's document as pieces (see DisplayBreaks). A block that
// continues the line of the block before it carries a block-format mark, so undo and redo,
// which restore block formats with the text, bring display breaks back as display breaks.
bool ContinuesLine(const QTextBlock& block);

// Fills an empty document with text (lines joined by U+2029), cutting long lines into
// pieces; `breaks` is set to match. No undo history is left.
void LoadPieces(QTextDocument* document, QStringView text, DisplayBreaks& breaks);

// Inserts text at the cursor, which has no selection: line breaks start ordinary blocks
// whatever block the cursor is in, and `breaks` follows. Callers cut long pieces afterwards.
void InsertLines(QTextCursor& cursor, QStringView text, DisplayBreaks& breaks);

// Cuts every block touching the document range [from, to] that is longer than kMaxPiece,
// keeping `breaks` in step, as one undo step or joined to the one before. Text positions do
// not change. False when nothing needed cutting; the undo history is then left alone.
bool CutLongBlocks(QTextDocument* document, qsizetype from, qsizetype to, DisplayBreaks& breaks,
                   bool joinPrevious);

// The display breaks among document positions [from, to), read from the block marks.
std::vector<qsizetype> MarkedBreaks(const QTextDocument* document, qsizetype from, qsizetype to);

}  // namespace vistrel
