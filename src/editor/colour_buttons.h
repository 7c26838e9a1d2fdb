#pragma once

#include <QWidget>
#include <array>

class QToolButton;

namespace vistrel {

class SourceEditor;

// The four small colour buttons of the editor's bar (tags 1 to 4). A click sets the colour
// mode and repaints; Ctrl+1..Ctrl+4 in the editor press the matching button when it is enabled.
class ColourButtons : public QWidget {
  Q_OBJECT

 public:
  explicit ColourButtons(SourceEditor& editor, QWidget* parent = nullptr);
  // mode 1..4
  QToolButton* button(int mode) const { return buttons_[static_cast<size_t>(mode - 1)]; }

 private:
  void BRepaint1Click(int mode);

  SourceEditor& editor_;
  std::array<QToolButton*, 4> buttons_{};
};

}  // namespace vistrel
