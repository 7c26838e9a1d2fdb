#include "app/ui/popup_menu.h"

#include "app/ui/status_text.h"
#include "settings/program_settings.h"

namespace vistrel {

PopupMenu::PopupMenu(const ProgramSettings& settings, QWidget* parent)
    : QMenu(parent), settings_(settings) {
  addAction(QStringLiteral("View in default browser"));
  addSeparator();
  addAction(QStringLiteral("Make/Update Thumbnail(s)"));
  addAction(QStringLiteral("Clear Thumbnail(s)"));
  addSeparator();
  addAction(QStringLiteral("Create Snapshot(s)"));
  addAction(QStringLiteral("Copy file(s) to"));
  addAction(QStringLiteral("Jump to Folder"));
  addSeparator();
  for (int k = 1; k <= 6; ++k) addAction(QString());
  SetLaunchCaptions(QStringLiteral("Launch file with: "));
  available_.fill(true);
  connect(this, &QMenu::aboutToShow, this, [this] {
    if (ContextProvider) UpdateEnabled(ContextProvider());
  });
}

void PopupMenu::SetLaunchCaptions(const QString& prefix) {
  for (int k = 1; k <= 6; ++k)
    item(kLaunchBase + k)->setText(prefix + settings_.Applications[k - 1].Descript);
}

void PopupMenu::UpdateEnabled(const Context& c) {
  const bool hasFile = !c.currentFile.isEmpty() && !c.viewerOpen;
  const bool hasSelection = c.selected > 0 && !c.viewerOpen;
  auto set = [this](int index, bool on) { item(index)->setEnabled(on && available_[index]); };
  set(kViewInBrowser, hasFile);
  for (int index : {kMakeThumbs, kClearThumbs, kCreateSnapshots, kCopyFiles})
    set(index, hasSelection);
  set(kJumpToFolder, hasFile && c.page == kFileListsPage);
  for (int k = 1; k <= 6; ++k)
    set(kLaunchBase + k, hasFile && settings_.Applications[k - 1].Present);
}

}  // namespace vistrel
