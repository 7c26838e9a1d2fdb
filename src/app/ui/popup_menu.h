#pragma once

#include <QMenu>
#include <array>
#include <functional>

namespace vistrel {

struct ProgramSettings;

// The pop-up menu shared by the file list, the thumbnail list, the report list and the
// Thumbnail Corner: fifteen items, enabled afresh each time it opens.
class PopupMenu : public QMenu {
  Q_OBJECT
 public:
  enum Item {
    kViewInBrowser = 0,
    kMakeThumbs = 2,
    kClearThumbs = 3,
    kCreateSnapshots = 5,
    kCopyFiles = 6,
    kJumpToFolder = 7,
    kLaunchBase = 8  // item 8 + k launches external application k (1..6)
  };

  // What the menu needs to know when it opens.
  struct Context {
    QString currentFile;
    int page = 0;
    int selected = 0;
    bool viewerOpen = false;
  };

  explicit PopupMenu(const ProgramSettings& settings, QWidget* parent = nullptr);

  QAction* item(int index) const { return actions()[index]; }
  // Sets the six launch captions ("Launch file with: " until the options are first confirmed).
  void SetLaunchCaptions(const QString& prefix);
  void UpdateEnabled(const Context& context);
  // Items whose command needs a part the window lacks (the browser) stay disabled.
  void SetAvailable(int index, bool available) { available_[index] = available; }

  std::function<Context()> ContextProvider;

 private:
  const ProgramSettings& settings_;
  std::array<bool, 15> available_{};
};

}  // namespace vistrel
