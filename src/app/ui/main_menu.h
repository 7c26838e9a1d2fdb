#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace vistrel {

// The main window's menu bar. Items that need the browser are enabled once it is attached.
struct MainMenu {
  explicit MainMenu(QMenuBar* bar);

  QMenu* file;
  QMenu* options;
  QMenu* extras;
  QMenu* clean;
  QMenu* help;
  QAction* closeProgram;
  QAction* generalOptions;
  QAction* browserSettings;
  QAction* createSnapshots;
  QAction* removeOrphanedThumbs;
  QAction* removeAllThumbs;
  QAction* showHelp;
  QAction* homepage;
  QAction* about;
};

}  // namespace vistrel
