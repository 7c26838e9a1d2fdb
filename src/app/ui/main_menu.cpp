#include "app/ui/main_menu.h"

#include <QMenu>
#include <QMenuBar>

namespace vistrel {

namespace {
QAction* Item(QMenu* menu, const char* caption, bool available) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(caption));
  action->setEnabled(available);
  return action;
}
}  // namespace

MainMenu::MainMenu(QMenuBar* bar) {
  file = bar->addMenu(QStringLiteral("&File"));
  closeProgram = Item(file, "&Close Vistrel", true);
  options = bar->addMenu(QStringLiteral("&Options"));
  generalOptions = Item(options, "&General Options", false);
  browserSettings = Item(options, "&Temporary Browser Settings", false);
  extras = bar->addMenu(QStringLiteral("&Extras"));
  createSnapshots = Item(extras, "&Create Snapshot(s)", false);
  clean = bar->addMenu(QStringLiteral("&Clean"));
  removeOrphanedThumbs = Item(clean, "Remove orphaned thumbs from disk", false);
  removeAllThumbs = Item(clean, "Remove all thumbs from disk", false);
  help = bar->addMenu(QStringLiteral("&Help"));
  showHelp = Item(help, "&Show Help", false);
  homepage = Item(help, "&Vistrel Hompage", false);
  help->addSeparator();
  about = Item(help, "&About", false);
}

}  // namespace vistrel
