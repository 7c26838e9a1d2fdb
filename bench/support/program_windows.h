#pragma once

#include <QString>

#include "app/ui/main_window.h"
#include "app/ui/qt_prompter.h"
#include "app/viewer/viewer_window.h"
#include "core/program_folder.h"
#include "render/browser_profile.h"

namespace vistrel::bench {

// The main window and the viewer put together as the program does, over a program folder of
// their own; shown at 1024x768 and past the first activation.
class ProgramWindows {
 public:
  explicit ProgramWindows(const QString& programFolder)
      : folders_(WorkingFolders::For(programFolder)),
        window_(folders_, prompter_),
        viewer_(window_.settings(), window_.state(), prompter_, profile_, window_, &window_) {
    window_.AttachViewer(&viewer_, profile_);
    window_.resize(1024, 768);
    window_.show();
  }
  MainWindow& window() { return window_; }
  ViewerWindow& viewer() { return viewer_; }
  const WorkingFolders& folders() const { return folders_; }

 private:
  WorkingFolders folders_;
  QtPrompter prompter_;
  BrowserProfile profile_;
  MainWindow window_;
  ViewerWindow viewer_;
};

}  // namespace vistrel::bench
