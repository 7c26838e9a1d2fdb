#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTabBar>
#include <QTreeView>
#include <QTest>
#include <QTimer>
#include <QCheckBox>
#include <QLineEdit>

#include "settings/general_options_dialog.h"
#include <QLayout>

#include "app/ui/title_bar.h"

#include "app/ui/folder_panel.h"
#include "app/ui/page_switcher.h"
#include "app/ui/popup_menu.h"
#include "app/ui/preview_controller.h"
#include "app/ui/status_text.h"
#include "app/ui/window_commands.h"
#include "app/ui/qt_prompter.h"
#include "main_window_fixture.h"
#include "settings/ini_profile.h"

namespace vistrel::testing {
namespace {

QString Tab(MainWindow& w, int page) { return w.pages()->Caption(page); }

// Caption of the pop-up item that launches external application k (0..5).
QString LaunchCaption(MainWindow& w, int k) {
  return w.popupMenu()->item(PopupMenu::kLaunchBase + k + 1)->text();
}

TEST_F(MainWindowTest, FirstStartCreatesFoldersShowsProgramFolderAndDefaults) {
  dir_.Write(QStringLiteral("prog/a.htm"));
  dir_.Write(QStringLiteral("prog/b.html"));
  dir_.Write(QStringLiteral("prog/notes.txt"));
  dir_.Write(QStringLiteral("prog/.hidden.htm"));
  Start();
  EXPECT_TRUE(QFileInfo(folders_.thumbs).isDir());
  EXPECT_TRUE(QFileInfo(folders_.lists).isDir());
  EXPECT_EQ(window_->windowTitle(), QStringLiteral(" Vistrel v1.0a "));
  EXPECT_EQ(window_->folderPanel()->Folder(), folders_.program);
  EXPECT_EQ(window_->folderPanel()->filterBox()->count(), 8);
  EXPECT_EQ(window_->state().CurrentMask,
            QStringLiteral("*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht"));
  EXPECT_FALSE(window_->state().StartingUp);
  EXPECT_EQ(window_->pages()->CurrentIndex(), 0);
  EXPECT_EQ(Tab(*window_, 0), QStringLiteral("Folder View  (0 of 2 files selected)"));
  EXPECT_EQ(Tab(*window_, 1), QStringLiteral("Thumbnail View"));
  EXPECT_EQ(window_->HintText(),
            QStringLiteral("Welcome to Vistrel - Please open a HTML file folder ..."));
  const QSize screen = QGuiApplication::primaryScreen()->size();
  // 8/10 of the screen; the small test screen may only narrow it to the layout's minimum.
  EXPECT_EQ(window_->settings().Width, screen.width() * 8 / 10);
  EXPECT_EQ(window_->height(), screen.height() * 8 / 10);
  EXPECT_GE(window_->width(),
            qMin(screen.width() * 8 / 10, window_->minimumSizeHint().width() - 100));
}

TEST_F(MainWindowTest, SelectingTwoOfFiveEmptiesHintAndEnablesExtras) {
  for (const char* name : {"1.htm", "2.htm", "3.htm", "4.htm", "5.htm"})
    dir_.Write(QStringLiteral("prog/") + QString::fromLatin1(name));
  Start();
  EXPECT_FALSE(window_->menu().extras->isEnabled());
  Select({1, 3});
  EXPECT_EQ(window_->HintText(), QString());
  EXPECT_EQ(window_->CurrentFile(), QString());
  EXPECT_TRUE(window_->menu().extras->isEnabled());
  EXPECT_EQ(Tab(*window_, 0), QStringLiteral("Folder View  (2 of 5 files selected)"));
  Select({2});
  EXPECT_EQ(window_->HintText(), folders_.program + QStringLiteral("3.htm"));
  EXPECT_EQ(window_->CurrentFile(), folders_.program + QStringLiteral("3.htm"));
}

TEST_F(MainWindowTest, LeavingFolderViewAsksAboutUnsavedChanges) {
  const QString file = dir_.Write(QStringLiteral("prog/a.htm"));
  Start();
  EditorHoldsChangesOf(file);
  prompter_.AnswerQuestion(kAnswerCancel);
  EXPECT_FALSE(window_->pages()->RequestPage(kThumbnailViewPage));
  EXPECT_EQ(window_->pages()->CurrentIndex(), kFolderViewPage);
  EXPECT_EQ(prompter_.TakeTexts(), QStringList{QStringLiteral("Save changes in: ") + file});

  prompter_.AnswerQuestion(kAnswerNo);
  EXPECT_TRUE(window_->pages()->RequestPage(kThumbnailViewPage));
  EXPECT_EQ(prompter_.TakeTexts().size(), 1);
  EXPECT_EQ(window_->HintText(), QString());  // no thumbnail item is current
  EXPECT_EQ(Tab(*window_, 1), QStringLiteral("Thumbnail View  (0 of 0 files selected)"));
  EXPECT_EQ(Tab(*window_, 0), QStringLiteral("Folder View"));

  // Entering the Folder View forgets the editor's file and asks nothing.
  EXPECT_TRUE(window_->pages()->RequestPage(kFolderViewPage));
  EXPECT_EQ(window_->state().EditorFile, QString());
}

TEST_F(MainWindowTest, PageHintsFollowThePage) {
  Start();
  window_->pages()->RequestPage(kFileListsPage);
  EXPECT_EQ(Tab(*window_, 2), QStringLiteral("File Lists  (0 of 0 files selected)"));
  window_->pages()->RequestPage(kFolderViewPage);
  // The status update after the page change shows the current file (none here).
  EXPECT_EQ(window_->HintText(), QString());
}

TEST_F(MainWindowTest, ChangedFileIsOfferedForReloadOncePerChange) {
  const QString file = dir_.Write(QStringLiteral("prog/a.htm"), "one");
  Start();
  Select({0});
  int reloads = 0;
  window_->onRefreshPreview = [&](bool force) { reloads += force ? 1 : 0; };
  window_->state().EditorFile = file;
  window_->state().EditorFileStamp = FileStamp(file) - 1000000000LL;

  prompter_.AnswerQuestion(kAnswerNo);
  window_->preview().CheckChangedFile();
  EXPECT_EQ(
      prompter_.TakeTexts(),
      QStringList{QStringLiteral("File: ") + file +
                  QStringLiteral(
                      "\r\n has been changed by another application.\r\n\r\nReload from disk?")});
  EXPECT_EQ(reloads, 0);
  // No further change: no question (the prompter would fail).
  window_->preview().CheckChangedFile();
  EXPECT_TRUE(prompter_.TakeTexts().isEmpty());

  window_->state().EditorFileStamp -= 1;
  prompter_.AnswerQuestion(kAnswerYes);
  window_->preview().CheckChangedFile();
  EXPECT_EQ(prompter_.TakeTexts().size(), 1);
  EXPECT_EQ(reloads, 1);
}

TEST_F(MainWindowTest, VanishedFileIsNotReportedAsChanged) {
  const QString file = dir_.Write(QStringLiteral("prog/a.htm"), "one");
  Start();
  Select({0});
  window_->state().EditorFile = file;
  window_->state().EditorFileStamp = 1;
  QFile::remove(file);
  window_->preview().CheckChangedFile();
  EXPECT_TRUE(prompter_.TakeTexts().isEmpty());
}

TEST_F(MainWindowTest, CloseWithUnsavedChangesCancelKeepsRunningNoCloses) {
  const QString file = dir_.Write(QStringLiteral("prog/a.htm"));
  Start();
  EditorHoldsChangesOf(file);
  prompter_.AnswerQuestion(kAnswerCancel);
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  prompter_.AnswerQuestion(kAnswerNo);
  EXPECT_TRUE(window_->close());
  EXPECT_EQ(prompter_.TakeTexts().size(), 2);
  Stop();
  EXPECT_TRUE(QFileInfo::exists(folders_.iniFile));
}

TEST_F(MainWindowTest, YesSavesThroughTheViewerAndAFailedSaveCountsAsCancel) {
  const QString file = dir_.Write(QStringLiteral("prog/a.htm"));
  Start();
  EditorHoldsChangesOf(file);
  int saves = 0;
  bool saveWorks = false;
  window_->onSaveEditorFile = [&] {
    ++saves;
    if (saveWorks) window_->SetPreviewSaveButtons(false, true);
  };
  prompter_.AnswerQuestion(kAnswerYes);
  EXPECT_EQ(window_->AskSaveChanges(), kAnswerCancel);  // the edits are still unsaved
  saveWorks = true;
  prompter_.AnswerQuestion(kAnswerYes);
  EXPECT_EQ(window_->AskSaveChanges(), kAnswerYes);
  EXPECT_EQ(saves, 2);
  EXPECT_EQ(window_->AskSaveChanges(), kAnswerNone);  // nothing left to ask about
  EXPECT_EQ(prompter_.TakeTexts().size(), 2u);
}

TEST_F(MainWindowTest, JumpToFileShowsItsFolderAndSelectsIt) {
  const QString file = dir_.Write(QStringLiteral("site/sub/Page.HTM"));
  dir_.Write(QStringLiteral("site/sub/other.htm"));
  Start();
  window_->pages()->RequestPage(kFileListsPage);
  window_->JumpToFileAndFolder(dir_.path() + QStringLiteral("site/sub/page.htm"));
  EXPECT_EQ(window_->pages()->CurrentIndex(), kFolderViewPage);
  EXPECT_EQ(window_->folderPanel()->Folder(), dir_.path() + QStringLiteral("site/sub/"));
  EXPECT_EQ(window_->CurrentFile(), file);
  // A file whose folder is gone is ignored silently.
  window_->JumpToFileAndFolder(dir_.path() + QStringLiteral("gone/x.htm"));
  EXPECT_EQ(window_->folderPanel()->Folder(), dir_.path() + QStringLiteral("site/sub/"));
}

TEST_F(MainWindowTest, StartFileIsJumpedToOnEveryActivation) {
  const QString file = dir_.Write(QStringLiteral("site/index.htm"));
  dir_.Write(QStringLiteral("site/z.htm"));
  Start();
  window_->state().StartFile = file;
  Activate();
  EXPECT_EQ(window_->CurrentFile(), file);
  Select({1});
  Activate();
  EXPECT_EQ(window_->CurrentFile(), file);
}

TEST_F(MainWindowTest, TitleBarsTurnTealWhileTheirRegionHasFocus) {
  dir_.Write(QStringLiteral("prog/a.htm"));
  Start();
  QApplication::setActiveWindow(window_.get());
  FileList()->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(window_->folderViewPage()->titleBar()->IsHighlighted());
  window_->folderPanel()->folderTree()->setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(window_->folderViewPage()->titleBar()->IsHighlighted());
  EXPECT_TRUE(window_->folderPanel()->titleBar()->IsHighlighted());
}

TEST(SaveDialogName, BareNameTakesTheChosenFiltersExtension) {
  const QString jpg = QStringLiteral("JPG File (True Color) (*.jpg)");
  const QString bmp = QStringLiteral("BMP File (True Color) (*.bmp)");
  EXPECT_EQ(WithFilterExtension(QStringLiteral("/s/snap"), bmp), QStringLiteral("/s/snap.bmp"));
  EXPECT_EQ(WithFilterExtension(QStringLiteral("/s/snap"), jpg), QStringLiteral("/s/snap.jpg"));
  // A typed extension stays; the caller decides what a mismatch means.
  EXPECT_EQ(WithFilterExtension(QStringLiteral("/s/a.jpg"), bmp), QStringLiteral("/s/a.jpg"));
  EXPECT_EQ(WithFilterExtension(QStringLiteral("/s/snap"), QStringLiteral("All (*)")),
            QStringLiteral("/s/snap"));
  EXPECT_EQ(WithFilterExtension(QString(), bmp), QString());  // cancelled
}

// A first start opens at 8/10 of the screen, inside it; the layout lets the window shrink to
// what an 800 x 600 screen gives (640 x 480).
TEST_F(MainWindowTest, FirstStartFitsTheScreenAndTheLayoutFitsASmallOne) {
  Start();
  QApplication::processEvents();
  const QScreen* screen = QGuiApplication::primaryScreen();
  EXPECT_EQ(window_->size(), screen->size() * 8 / 10);
  EXPECT_TRUE(screen->availableGeometry().contains(window_->frameGeometry()));
  EXPECT_LE(window_->minimumSizeHint().width(), 640);
  EXPECT_LE(window_->minimumSizeHint().height(), 480);
}

TEST_F(MainWindowTest, ClickInsideAMultiSelectionNarrowsItAndTheStatusFollows) {
  for (const char* name : {"a.htm", "b.htm", "c.htm", "d.htm"})
    dir_.Write(QStringLiteral("prog/") + QLatin1String(name));
  Start();
  auto click = [this](int row, Qt::KeyboardModifiers keys) {
    const QRect rect = FileList()->visualItemRect(FileList()->item(row));
    QTest::mouseClick(FileList()->viewport(), Qt::LeftButton, keys, rect.center());
  };
  click(0, {});
  click(1, Qt::ControlModifier);
  click(2, Qt::ControlModifier);
  EXPECT_EQ(Tab(*window_, kFolderViewPage), QStringLiteral("Folder View  (3 of 4 files selected)"));
  EXPECT_EQ(window_->CurrentFile(), QString());
  click(1, {});
  EXPECT_EQ(Tab(*window_, kFolderViewPage), QStringLiteral("Folder View  (1 of 4 files selected)"));
  EXPECT_EQ(window_->CurrentFile(), dir_.path() + QStringLiteral("prog/b.htm"));
  EXPECT_EQ(window_->HintText(), window_->CurrentFile());
}

}  // namespace
}  // namespace vistrel::testing

namespace vistrel::testing {
namespace {

// Runs action on the modal dialog of type D once it is open.
template <typename D, typename F>
void WithModal(F action) {
  QTimer::singleShot(0, [action] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    action(dialog);
  });
}

TEST_F(MainWindowTest, GeneralOptionsCancelChangesNothingOkAppliesAtOnce) {
  Start();
  EXPECT_EQ(LaunchCaption(*window_, 0), QStringLiteral("Launch file with: External Application 1"));
  WithModal<GeneralOptionsDialog>([](GeneralOptionsDialog* d) {
    d->hintsBox()->setChecked(false);
    d->descriptField(0)->setText(QStringLiteral("Mine"));
    d->reject();
  });
  window_->windowCommands().OpenGeneralOptions();
  EXPECT_TRUE(window_->settings().DoShowHints);
  EXPECT_TRUE(window_->HintsShown());
  EXPECT_EQ(LaunchCaption(*window_, 0), QStringLiteral("Launch file with: External Application 1"));

  WithModal<GeneralOptionsDialog>([](GeneralOptionsDialog* d) {
    d->hintsBox()->setChecked(false);
    d->accept();
  });
  window_->windowCommands().OpenGeneralOptions();
  EXPECT_FALSE(window_->HintsShown());
  EXPECT_EQ(LaunchCaption(*window_, 0), QStringLiteral("Launch with: External Application 1"));
}

}  // namespace
}  // namespace vistrel::testing
