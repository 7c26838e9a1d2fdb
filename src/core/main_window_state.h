#pragma once

#include <QString>

namespace vistrel {

// The state all pages of the main window share, for the whole run.
struct MainWindowState {
  bool StartingUp = true;
  QString EditorFile;
  qint64 EditorFileStamp = 0;  // nanoseconds; 0 = no stamp held
  bool ViewerOpen = false;
  bool BrowserBusy = false;
  bool AbortRequested = false;
  QString StartFile;
  QString CurrentMask;
  int ThumbWidth = 130;
  int ThumbHeight = 100;
};

}  // namespace vistrel
