// Painting: colours reach the control as layout formats of the lines on screen.
#include <QPaintEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "editor/source_editor.h"

namespace vistrel {

namespace {

QColor ToQColor(int colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

void SourceEditor::ColoursChanged(qsizetype from, qsizetype to) {
  if (from <= 0 && to >= TextLength()) {
    ++generation_;  // every line is out of date
    viewport()->update();
    return;
  }
  // Only the changed lines on screen are painted again: a whole screen of long pieces costs
  // many times what the keystroke itself does.
  const qsizetype docTo = breaks_.ToDocument(to);
  QTextBlock block = document()->findBlock(static_cast<int>(breaks_.ToDocument(from)));
  const int firstShown = firstVisibleBlock().blockNumber();
  const int lastShown = firstShown + VisibleLines();
  QRect dirty;
  for (int number = block.blockNumber(); block.isValid() && block.position() <= docTo;
       block = block.next(), ++number) {
    block.setUserState(-1);
    if (number >= firstShown && number <= lastShown)
      dirty |= blockBoundingGeometry(block).translated(contentOffset()).toAlignedRect();
  }
  if (!dirty.isEmpty())
    viewport()->update(QRect(0, dirty.top(), viewport()->width(), dirty.height()));
}

int SourceEditor::VisibleLines() const {
  return viewport()->height() / std::max(1, fontMetrics().lineSpacing()) + 2;
}

void SourceEditor::ApplyBlockFormats(QTextBlock block) {
  QList<QTextLayout::FormatRange> ranges;
  const qsizetype start = breaks_.ToText(block.position());
  const qsizetype end = start + block.length() - 1;
  colours_.ForEachRun(start, end, [&](qsizetype from, qsizetype length, int colour) {
    ranges.append({static_cast<int>(from - start), static_cast<int>(length), FormatFor(colour)});
  });
  block.layout()->setFormats(ranges);
  block.setUserState(generation_);
  document()->markContentsDirty(block.position(), block.length());
}

QTextCharFormat SourceEditor::FormatFor(int colour) {
  auto found = formats_.find(colour);
  if (found != formats_.end()) return *found;
  QTextCharFormat format;
  format.setForeground(ToQColor(colour));
  return *formats_.insert(colour, format);
}

void SourceEditor::paintEvent(QPaintEvent* event) {
  // Colours reach the screen as layout formats of the visible blocks only, so colouring a
  // large document costs nothing until its lines are shown.
  const int visibleLines = VisibleLines();
  QTextBlock block = firstVisibleBlock();
  shaped_.Show(document(), block, visibleLines);
  for (int i = 0; i < visibleLines && block.isValid(); ++i, block = block.next()) {
    if (block.userState() != generation_) ApplyBlockFormats(block);
  }
  QPlainTextEdit::paintEvent(event);
}

}  // namespace vistrel
