#include "app/viewer/editor_access_adapter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "editor/source_editor.h"

namespace vistrel {

QString SourceEditorAccess::SelectedText() const {
  // The driver splits at line feeds; the control separates lines with U+2029.
  QString text = editor_.textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

qsizetype SourceEditorAccess::SelectionStart() const {
  return editor_.textCursor().selectionStart();
}

qsizetype SourceEditorAccess::LineOfPosition(qsizetype position) const {
  return editor_.document()->findBlock(static_cast<int>(position)).blockNumber();
}

QString SourceEditorAccess::LineText(qsizetype line) const {
  return editor_.document()->findBlockByNumber(static_cast<int>(line)).text();
}

}  // namespace vistrel
