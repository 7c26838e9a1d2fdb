#include "app/viewer/editor_access_adapter.h"

#include "editor/source_editor.h"

namespace vistrel {

// The editor's own accessors: its control holds long lines as several blocks.
QString SourceEditorAccess::SelectedText() const { return editor_.SelectedText(); }

qsizetype SourceEditorAccess::SelectionStart() const { return editor_.SelectionStart(); }

qsizetype SourceEditorAccess::LineOfPosition(qsizetype position) const {
  return editor_.LineOfPosition(position);
}

QString SourceEditorAccess::LineText(qsizetype line) const { return editor_.LineText(line); }

}  // namespace vistrel
