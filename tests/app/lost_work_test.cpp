// Edits in the editor survive every way the program could replace them: each change asks
// once, Yes saves, No drops the edits, Cancel undoes the change and keeps the text.
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/ui/file_commands.h"
#include "app/ui/folder_panel.h"
#include "app/ui/page_switcher.h"
#include "thumbnails/thumbnail_page.h"
#include <QLabel>
#include "app/ui/status_text.h"
#include "core/prompter.h"
#include "viewer_fixture.h"

namespace vistrel::testing {
namespace {

class LostWorkTest : public ViewerTest {
 protected:
  void SetUp() override {
    a_ = dir_.Write(QStringLiteral("prog/a.htm"), "<p>a</p>");
    b_ = dir_.Write(QStringLiteral("prog/b.htm"), "<p>b</p>");
    c_ = dir_.Write(QStringLiteral("prog/sub/c.htm"), "<p>c</p>");
    StartWithViewer();
  }
  // a.htm previewed by a click and edited: "<p>a</p>!" unsaved.
  void EditA() {
    ClickRow(0);
    ASSERT_EQ(window_->state().EditorFile, a_);
    Editor()->moveCursor(QTextCursor::End);
    Type(QStringLiteral("!"));
    ASSERT_TRUE(SaveEnabled());
  }
  void ClickRow(int row) {
    const QRect rect = FileList()->visualItemRect(FileList()->item(row));
    QTest::mouseClick(FileList()->viewport(), Qt::LeftButton, {}, rect.center());
  }
  bool SaveEnabled() const { return window_->folderViewPage()->saveButton()->isEnabled(); }
  QString Asked() { return prompter_.TakeTexts().join(QLatin1Char('|')); }
  QString SaveQuestion() const { return QStringLiteral("Save changes in: ") + a_; }
  // After a cancel: the text, the Save button and a.htm as current file are all kept.
  void ExpectEditsKept() {
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>a</p>!"));
    EXPECT_TRUE(SaveEnabled());
    EXPECT_EQ(window_->state().EditorFile, a_);
    EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("<p>a</p>"));
  }
  void ChangeFolderTo(const QString& folder) {
    window_->folderPanel()->SetFolder(folder);
    Q_EMIT window_->folderPanel()->FolderChanged(window_->folderPanel()->Folder());
  }

  QString a_, b_, c_;
};

TEST_F(LostWorkTest, AnotherEntryAsksOnceAndCancelKeepsTheEntryAndTheText) {
  EditA();
  ClickRow(0);  // the entry already current: no change, no question
  EXPECT_EQ(Asked(), QString());

  prompter_.AnswerQuestion(kAnswerCancel);
  ClickRow(1);
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(window_->CurrentFile(), a_);
  ExpectEditsKept();

  prompter_.AnswerQuestion(kAnswerYes);
  QTest::keyClick(FileList(), Qt::Key_Down);  // the keyboard walk
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("<p>a</p>!"));
  EXPECT_EQ(window_->state().EditorFile, b_);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>b</p>"));
  EXPECT_FALSE(SaveEnabled());
}

TEST_F(LostWorkTest, NoDropsTheEditsAndLoadsTheNewEntry) {
  EditA();
  prompter_.AnswerQuestion(kAnswerNo);
  ClickRow(1);
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("<p>a</p>"));
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>b</p>"));
  // Back to a.htm: the file as on disk, and nothing more to ask.
  ClickRow(0);
  EXPECT_EQ(Asked(), QString());
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>a</p>"));
}

TEST_F(LostWorkTest, FolderChangeCancelledKeepsTheOldFolder) {
  EditA();
  const QString prog = window_->folderPanel()->Folder();
  prompter_.AnswerQuestion(kAnswerCancel);
  ChangeFolderTo(dir_.path() + QStringLiteral("prog/sub"));
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(window_->folderPanel()->Folder(), prog);
  EXPECT_EQ(window_->folderViewPage()->Folder(), prog);
  EXPECT_EQ(window_->CurrentFile(), a_);
  ExpectEditsKept();

  prompter_.AnswerQuestion(kAnswerYes);
  ChangeFolderTo(dir_.path() + QStringLiteral("prog/sub"));
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("<p>a</p>!"));
  EXPECT_EQ(window_->folderViewPage()->Names(), QStringList{QStringLiteral("c.htm")});
  EXPECT_EQ(Editor()->toPlainText(), QString());
}

TEST_F(LostWorkTest, FilterChangeCancelledKeepsTheOldFilter) {
  EditA();
  QComboBox* filter = window_->folderPanel()->filterBox();
  ASSERT_GE(filter->count(), 2);
  const QString mask = window_->state().CurrentMask;
  const QStringList names = window_->folderViewPage()->Names();
  prompter_.AnswerQuestion(kAnswerCancel);
  filter->setCurrentIndex(1);
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(filter->currentIndex(), 0);
  EXPECT_EQ(window_->state().CurrentMask, mask);
  EXPECT_EQ(window_->folderViewPage()->Names(), names);
  ExpectEditsKept();

  prompter_.AnswerQuestion(kAnswerNo);
  filter->setCurrentIndex(1);
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_NE(window_->state().CurrentMask, mask);
  EXPECT_FALSE(SaveEnabled());
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("<p>a</p>"));
}

TEST_F(LostWorkTest, PageChangeCancelledStaysOnTheFolderView) {
  EditA();
  prompter_.AnswerQuestion(kAnswerCancel);
  window_->pages()->RequestPage(kThumbnailViewPage);
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(window_->ActivePage(), kFolderViewPage);
  ExpectEditsKept();

  prompter_.AnswerQuestion(kAnswerNo);
  window_->pages()->RequestPage(kThumbnailViewPage);
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(window_->ActivePage(), kThumbnailViewPage);
  window_->pages()->RequestPage(kFolderViewPage);  // nothing left to ask about
  EXPECT_EQ(Asked(), QString());
  EXPECT_EQ(window_->CurrentFile(), a_);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>a</p>"));
}

TEST_F(LostWorkTest, JumpCancelledStaysAndYesSavesBeforeJumping) {
  EditA();
  prompter_.AnswerQuestion(kAnswerCancel);
  window_->JumpToFileAndFolder(c_);
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(window_->CurrentFile(), a_);
  ExpectEditsKept();

  prompter_.AnswerQuestion(kAnswerYes);
  window_->fileCommands().HandleDroppedFiles({c_});
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("<p>a</p>!"));
  EXPECT_EQ(window_->CurrentFile(), c_);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>c</p>"));  // the jump previews
}

TEST_F(LostWorkTest, ReloadOfAChangedFileAsksAboutTheEditsFirst) {
  EditA();
  QFile file(a_);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-3),
                               QFileDevice::FileModificationTime));
  file.close();
  prompter_.AnswerQuestion(kAnswerYes);     // reload from disk?
  prompter_.AnswerQuestion(kAnswerCancel);  // save changes?
  window_->preview().CheckChangedFile();
  EXPECT_EQ(Asked(), ChangedFileQuestion(a_) + QLatin1Char('|') + SaveQuestion());
  ExpectEditsKept();
}

TEST_F(LostWorkTest, ClosingCancelledKeepsTheWindowAndAFailedSaveCountsAsCancel) {
  EditA();
  prompter_.AnswerQuestion(kAnswerCancel);
  EXPECT_FALSE(window_->close());
  EXPECT_EQ(Asked(), SaveQuestion());
  EXPECT_TRUE(window_->isVisible());
  ExpectEditsKept();

  // Yes, but the file cannot be written: the message, and the window stays with the edits.
  QFile::remove(a_);
  dir_.MakeDir(QStringLiteral("prog/a.htm"));
  prompter_.AnswerQuestion(kAnswerYes);
  EXPECT_FALSE(window_->close());
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(prompter_.TakeTexts().size(), 2u);  // the question and the saving error
  EXPECT_TRUE(SaveEnabled());
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>a</p>!"));
}

TEST_F(LostWorkTest, ViewerClosedFromTheThumbnailsCancelStaysOpen) {
  window_->pages()->RequestPage(kThumbnailViewPage);  // the first item becomes selected
  ASSERT_EQ(window_->CurrentFile(), a_);
  bool openAfterCancel = false;
  window_->onShowViewerModal = [&] {
    QTimer::singleShot(0, [&] {
      Editor()->moveCursor(QTextCursor::End);
      Type(QStringLiteral("!"));
      prompter_.AnswerQuestion(kAnswerCancel);
      viewer_->close();
      openAfterCancel = viewer_->isVisible();
      prompter_.AnswerQuestion(kAnswerNo);
      viewer_->close();
    });
    viewer_->exec();
  };
  window_->fileCommands().OpenCurrentInViewer();
  EXPECT_TRUE(openAfterCancel);
  EXPECT_EQ(Asked(), SaveQuestion() + QLatin1Char('|') + SaveQuestion());
  EXPECT_EQ(dir_.Read(QStringLiteral("prog/a.htm")), QByteArray("<p>a</p>"));
}

// Started with a file: after every jump back to it (each activation), it is the file shown.
TEST_F(LostWorkTest, StartFileIsPreviewedAfterEveryActivation) {
  window_->state().StartFile = b_;
  Activate();
  EXPECT_EQ(window_->CurrentFile(), b_);
  EXPECT_EQ(window_->state().EditorFile, b_);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>b</p>"));
  ClickRow(0);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>a</p>"));
  Activate();  // a modal dialog closed
  EXPECT_EQ(window_->CurrentFile(), b_);
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("<p>b</p>"));
  EXPECT_TRUE(window_->folderViewPage()->saveAsButton()->isEnabled());
}

// The Thumbnail View's folder label follows the folder; the corner shows the current file's
// thumbnail and nothing once the thumbnail is cleared or no file is current.
TEST_F(LostWorkTest, ThumbnailLabelAndCornerFollowTheFolderAndTheSelection) {
  ChangeFolderTo(dir_.path() + QStringLiteral("prog/sub"));
  EXPECT_TRUE(window_->thumbnailPage()->titleLabel()->text().contains(dir_.path() +
                                                                      QStringLiteral("prog/sub/")));
  ClickRow(0);
  window_->fileCommands().MakeOrClearThumbs(true);
  EXPECT_TRUE(window_->folderPanel()->CornerHasPicture());
  window_->fileCommands().MakeOrClearThumbs(false);
  EXPECT_FALSE(window_->folderPanel()->CornerHasPicture());
  window_->fileCommands().MakeOrClearThumbs(true);
  EXPECT_TRUE(window_->folderPanel()->CornerHasPicture());
  window_->ShowThumbCorner(QString());  // nothing current
  EXPECT_FALSE(window_->folderPanel()->CornerHasPicture());
  EXPECT_EQ(window_->folderPanel()->thumbnailCorner()->text(),
            QStringLiteral("--- Thumbnail Corner ---"));
}

}  // namespace
}  // namespace vistrel::testing
