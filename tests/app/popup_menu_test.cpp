#include "app/ui/popup_menu.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "app/ui/external_launch.h"
#include "app/ui/file_commands.h"
#include "app/ui/folder_panel.h"
#include "app/ui/page_switcher.h"
#include "app/ui/status_text.h"
#include "main_window_fixture.h"

namespace vistrel::testing {
namespace {

bool Enabled(const PopupMenu& menu, int index) { return menu.item(index)->isEnabled(); }

TEST(PopupMenu, FifteenItemsEnabledByFileSelectionPageAndPresence) {
  ProgramSettings settings;
  settings.Applications[1].Descript = QStringLiteral("Editor");
  settings.Applications[1].Present = true;
  PopupMenu menu(settings);
  ASSERT_EQ(menu.actions().size(), 15);
  EXPECT_TRUE(menu.item(1)->isSeparator());
  EXPECT_EQ(menu.item(10)->text(), QStringLiteral("Launch file with: Editor"));

  menu.UpdateEnabled({QString(), kFolderViewPage, 2, false});  // two files selected
  EXPECT_FALSE(Enabled(menu, PopupMenu::kViewInBrowser));
  EXPECT_FALSE(Enabled(menu, PopupMenu::kJumpToFolder));
  EXPECT_FALSE(Enabled(menu, 10));
  EXPECT_TRUE(Enabled(menu, PopupMenu::kMakeThumbs));
  EXPECT_TRUE(Enabled(menu, PopupMenu::kCopyFiles));

  menu.UpdateEnabled({QStringLiteral("/w/a.htm"), kFolderViewPage, 1, false});
  EXPECT_TRUE(Enabled(menu, PopupMenu::kViewInBrowser));
  EXPECT_FALSE(Enabled(menu, PopupMenu::kJumpToFolder));  // only on the File Lists page
  EXPECT_TRUE(Enabled(menu, 10));
  EXPECT_FALSE(Enabled(menu, 9));  // application 1 is not present

  menu.UpdateEnabled({QStringLiteral("/w/a.htm"), kFileListsPage, 1, false});
  EXPECT_TRUE(Enabled(menu, PopupMenu::kJumpToFolder));

  menu.UpdateEnabled({QStringLiteral("/w/a.htm"), kFolderViewPage, 1, true});  // viewer open
  for (int i = 0; i < 15; ++i) {
    if (menu.item(i)->isSeparator()) continue;
    EXPECT_FALSE(Enabled(menu, i)) << i;
  }

  menu.SetAvailable(PopupMenu::kCopyFiles, false);
  menu.UpdateEnabled({QStringLiteral("/w/a.htm"), kFolderViewPage, 3, false});
  EXPECT_FALSE(Enabled(menu, PopupMenu::kCopyFiles));
}

TEST(ExternalLaunch, ParametersSplitAndTheFileStaysOneArgument) {
  ExternalApplication app;
  app.Location = QStringLiteral("/usr/bin/tool");
  app.Param = QStringLiteral("-r");
  const QString file = QStringLiteral("/w/it's; rm -rf \"x\".htm");
  LaunchCommand command = BuildLaunchCommand(app, file);
  EXPECT_EQ(command.arguments, (QStringList{QStringLiteral("-r"), file}));
  app.Param.clear();
  EXPECT_EQ(BuildLaunchCommand(app, file).arguments, QStringList{file});
  app.Param = QStringLiteral("--title \"my page\"");
  EXPECT_EQ(BuildLaunchCommand(app, file).arguments,
            (QStringList{QStringLiteral("--title"), QStringLiteral("my page"), file}));
}

TEST_F(MainWindowTest, LaunchHandsTheCurrentFileToTheProgram) {
  const QString page = dir_.Write(QStringLiteral("prog/a b;c.htm"));
  const QString out = dir_.path() + QStringLiteral("args.txt");
  const QString tool = dir_.Write(
      QStringLiteral("tool.sh"),
      QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part' && mv '%1.part' '%1'\n")
          .arg(out)
          .toUtf8());
  QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  Start();
  window_->settings().Applications[2].Location = tool;
  window_->settings().Applications[2].Param = QStringLiteral("-n");
  Select({0});
  window_->fileCommands().LaunchApplication(2);
  QElapsedTimer timer;
  timer.start();
  // The tool renames its output into place once written whole; the bound only stops a hang.
  while (!QFile::exists(out) && timer.elapsed() < 30000) QThread::msleep(20);
  EXPECT_EQ(dir_.Read(QStringLiteral("args.txt")),
            (QStringLiteral("-n\n") + page + QStringLiteral("\n")).toUtf8());
}

TEST_F(MainWindowTest, JumpToFolderSelectsTheFileOrSaysItsFolderIsGone) {
  const QString page = dir_.Write(QStringLiteral("prog/a.htm"));
  const QString gone = dir_.Write(QStringLiteral("prog/sub/b.htm"));
  Start();
  Select({0});
  window_->fileCommands().JumpToCurrentFolder();
  EXPECT_EQ(window_->CurrentFile(), page);
  EXPECT_TRUE(prompter_.TakeTexts().isEmpty());

  window_->JumpToFileAndFolder(gone);
  ASSERT_EQ(window_->CurrentFile(), gone);
  ASSERT_TRUE(QDir(dir_.path() + QStringLiteral("prog/sub")).removeRecursively());
  window_->fileCommands().JumpToCurrentFolder();
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("Folder \"") + gone + QStringLiteral("\" not found.")});
}

TEST_F(MainWindowTest, ThumbnailFolderCannotBeBrowsed) {
  dir_.Write(QStringLiteral("prog/THUMBS/=x/a.htm.jpg"));
  Start();
  window_->folderPanel()->SetFolder(folders_.thumbs);
  Q_EMIT window_->folderPanel()->FolderChanged(folders_.thumbs);
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("Sorry, access denied. This is your thumbnail "
                                       "folder.\r\nPlease choose another folder ...")});
  EXPECT_FALSE(window_->pages()->isEnabled());
  Q_EMIT window_->folderPanel()->FolderChanged(folders_.program);
  EXPECT_TRUE(window_->pages()->isEnabled());
}

TEST_F(MainWindowTest, DoubleClickOpensTheViewerUnlessTheBrowserIsBusy) {
  dir_.Write(QStringLiteral("prog/a.htm"));
  Start();
  int shown = 0;
  bool openWhileShown = false;
  window_->onShowViewerModal = [&] {
    ++shown;
    openWhileShown = window_->state().ViewerOpen;
  };
  window_->fileCommands().OpenCurrentInViewer();  // nothing current yet? the first entry is current
  Select({0});
  window_->fileCommands().OpenCurrentInViewer();
  window_->state().BrowserBusy = true;
  window_->fileCommands().OpenCurrentInViewer();
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(openWhileShown);
  EXPECT_FALSE(window_->state().ViewerOpen);
}

TEST_F(MainWindowTest, DeleteOnTheFolderViewSelectsTheNextFileAndRecounts) {
  for (const char* name : {"1.htm", "2.htm", "3.htm"})
    dir_.Write(QStringLiteral("prog/") + QString::fromLatin1(name));
  Start();
  Select({1});
  prompter_.AnswerQuestion(kAnswerNo);
  window_->fileCommands().DeleteSelection();
  EXPECT_EQ(prompter_.TakeTexts().size(), 1);
  EXPECT_EQ(FileList()->count(), 3);

  prompter_.AnswerQuestion(kAnswerYes);
  Q_EMIT window_->folderViewPage()->DeleteRequested();  // the Delete key
  EXPECT_EQ(prompter_.TakeTexts().size(), 1);
  EXPECT_FALSE(QFileInfo::exists(folders_.program + QStringLiteral("2.htm")));
  EXPECT_EQ(FileList()->count(), 2);
  EXPECT_EQ(window_->CurrentFile(), folders_.program + QStringLiteral("3.htm"));
  EXPECT_EQ(window_->pages()->Caption(kFolderViewPage),
            QStringLiteral("Folder View  (1 of 2 files selected)"));

  // The last entry deleted: the new last one becomes current.
  Select({1});
  prompter_.AnswerQuestion(kAnswerYes);
  window_->fileCommands().DeleteSelection();
  prompter_.TakeTexts();
  EXPECT_EQ(window_->CurrentFile(), folders_.program + QStringLiteral("1.htm"));
}

}  // namespace
}  // namespace vistrel::testing
