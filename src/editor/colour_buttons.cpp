#include "editor/colour_buttons.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "editor/source_editor.h"

namespace vistrel {

namespace {
const char* const kColourHints[4] = {
    "[CTRL-1] = Repaint Syntax Highlight", "[CTRL-2] Emphasize Tags",
    "[CTRL-3] = Emphasize quoted strings", "[CTRL-4] = Emphasize floating text"};
}

ColourButtons::ColourButtons(SourceEditor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  for (int mode = 1; mode <= 4; ++mode) {
    auto* button = new QToolButton(this);
    button->setText(QString::number(mode));
    button->setToolTip(QString::fromLatin1(kColourHints[mode - 1]));
    button->setProperty("tag", mode);
    connect(button, &QToolButton::clicked, this, [this, mode] { BRepaint1Click(mode); });
    layout->addWidget(button);
    buttons_[static_cast<size_t>(mode - 1)] = button;
  }
  connect(&editor_, &SourceEditor::ColourModeRequested, this, [this](int mode) {
    if (mode >= 1 && mode <= 4 && button(mode)->isEnabled()) BRepaint1Click(mode);
  });
}

void ColourButtons::BRepaint1Click(int mode) { editor_.ApplyColourMode(mode); }

}  // namespace vistrel
