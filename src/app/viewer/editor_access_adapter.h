#pragma once

#include "formatter/editor_access.h"

namespace vistrel {

class SourceEditor;

// The formatting driver's view of the source editor.
class SourceEditorAccess : public EditorAccess {
 public:
  explicit SourceEditorAccess(const SourceEditor& editor) : editor_(editor) {}
  QString SelectedText() const override;
  qsizetype SelectionStart() const override;
  qsizetype LineOfPosition(qsizetype position) const override;
  QString LineText(qsizetype line) const override;

 private:
  const SourceEditor& editor_;
};

}  // namespace vistrel
