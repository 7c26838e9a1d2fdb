#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "snapshot_window_fixture.h"
#include "snapshots/image_files.h"
#include "snapshots/snapshot_batch_dialog.h"
#include "snapshots/snapshot_export.h"
#include "snapshots/snapshot_options_window.h"

namespace vistrel::testing {
namespace {

class SnapshotBatchTest : public SnapshotWindowTest {
 protected:
  SnapshotServices Services() { return {program_, prompter_, Profile(), {}, progress_}; }

  // Pages a.htm, b.html, c.htm, all selected, and a window in batch mode for them.
  void SetUpBatch() {
    files_ = QStringList{ColouredPage(QStringLiteral("a.htm"), "#ff0000"),
                         ColouredPage(QStringLiteral("b.html"), "#00ff00"),
                         ColouredPage(QStringLiteral("c.htm"), "#0000ff")};
    pages_ = std::make_unique<ListedPages>(files_, std::vector<int>{0, 1, 2});
    program_.SNAPSHOTPATH = folder_.path() + QStringLiteral("out.v1/");
    program_.CustomWidth = 100;
    program_.CustomHeight = 80;
    program_.Shade = 2;
    SnapshotRequest request;
    request.FileName = files_.at(0);
    request.Batch = true;
    request.SelCount = 3;
    request.ItemCount = 3;
    window_ = std::make_unique<SnapshotOptionsWindow>(Services(), pages_.get(), request);
    window_->show();
  }

  // Presses "Batch Export" and starts with the file type of that index.
  void RunBatch(int fileType) {
    WithModal<SnapshotBatchDialog>([&] { window_->batchButton()->click(); },
                                   [&](SnapshotBatchDialog* dialog) {
                                     dialog->fileType()->setCurrentIndex(fileType);
                                     dialog->startButton()->click();
                                   });
  }

  QString Target(const char* name) const { return program_.SNAPSHOTPATH + QLatin1String(name); }

  WatchedProgress progress_;
  QStringList files_;
  std::unique_ptr<ListedPages> pages_;
  std::unique_ptr<SnapshotOptionsWindow> window_;
};

TEST_F(SnapshotBatchTest, BatchModeCaptionAndPreviewOfTheFirstSelectedFile) {
  SetUpBatch();
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Snapshot Options for 3 files"));
  EXPECT_FALSE(window_->saveButton()->isEnabled());
  EXPECT_TRUE(window_->batchButton()->isEnabled());
  window_->previewButton()->click();
  EXPECT_EQ(window_->statusLine()->text(),
            QStringLiteral("Preview file (1 of 3): (Source: 100x80,  Output: 102x82)"));
  EXPECT_TRUE(NearColour(PixelAt(window_->imgSave(), 50, 40), QColor(255, 0, 0)));
  EXPECT_FALSE(window_->saveButton()->isEnabled());
}

TEST_F(SnapshotBatchTest, ExportsEverySelectedPageAsNamedAndAsksBeforeOverwriting) {
  SetUpBatch();
  const QByteArray kept("not a picture");
  folder_.Write(QStringLiteral("out.v1/snap_b_html.bmp"), kept);
  prompter_.AnswerQuestion(kAnswerNo);
  RunBatch(1);
  EXPECT_EQ(prompter_.TakeTexts(),
            QStringList{QStringLiteral("File exists: ") + Target("snap_b_html.bmp") +
                        QStringLiteral("\r\n\r\nOverwrite ?")});
  EXPECT_EQ(progress_.texts, (QStringList{QStringLiteral("(1 of 3): ") + files_.at(0),
                                          QStringLiteral("(2 of 3): ") + files_.at(1),
                                          QStringLiteral("(3 of 3): ") + files_.at(2)}));
  const QImage a = ReadImageFile(Target("snap_a_htm.bmp"));
  ASSERT_EQ(a.size(), QSize(102, 82));
  EXPECT_TRUE(NearColour(PixelAt(a, 50, 40), QColor(255, 0, 0)));
  EXPECT_EQ(folder_.Read(QStringLiteral("out.v1/snap_b_html.bmp")), kept);
  EXPECT_TRUE(
      NearColour(PixelAt(ReadImageFile(Target("snap_c_htm.bmp")), 50, 40), QColor(0, 0, 255)));
  EXPECT_EQ(window_->statusLine()->text(), QStringLiteral("Snapshots done ..."));
  EXPECT_TRUE(window_->isEnabled());
  EXPECT_FALSE(progress_.window().isVisible());
  EXPECT_EQ(program_.SNAPSHOTPATH, folder_.path() + QStringLiteral("out.v1/"));
}

TEST_F(SnapshotBatchTest, CancelToOverwritingEndsTheBatch) {
  SetUpBatch();
  folder_.Write(QStringLiteral("out.v1/snap_a_htm.jpg"), "old");
  prompter_.AnswerQuestion(kAnswerCancel);
  RunBatch(0);
  EXPECT_EQ(prompter_.TakeTexts().size(), 1);
  EXPECT_EQ(folder_.Read(QStringLiteral("out.v1/snap_a_htm.jpg")), QByteArray("old"));
  EXPECT_FALSE(QFileInfo::exists(Target("snap_b_html.jpg")));
  EXPECT_EQ(progress_.texts.size(), 1);
  EXPECT_EQ(window_->statusLine()->text(), QStringLiteral("Snapshots done ..."));
  EXPECT_TRUE(window_->isEnabled());
}

TEST_F(SnapshotBatchTest, TheStopButtonEndsTheBatchAfterThePageInHand) {
  SetUpBatch();
  progress_.afterStep = [&](int steps) {
    EXPECT_FALSE(window_->isEnabled());
    if (steps == 1) progress_.window().stopButton()->click();
  };
  RunBatch(0);
  EXPECT_EQ(ReadImageFile(Target("snap_a_htm.jpg")).size(), QSize(102, 82));
  EXPECT_FALSE(QFileInfo::exists(Target("snap_b_html.jpg")));
  EXPECT_EQ(window_->statusLine()->text(), QStringLiteral("Snapshots done ..."));
  EXPECT_TRUE(window_->isEnabled());
}

TEST_F(SnapshotBatchTest, APageGoneBeforeItsTurnGetsNoSnapshot) {
  SetUpBatch();
  ASSERT_TRUE(QFile::remove(files_.at(1)));
  RunBatch(0);
  EXPECT_TRUE(QFileInfo::exists(Target("snap_a_htm.jpg")));
  EXPECT_FALSE(QFileInfo::exists(Target("snap_b_html.jpg")));
  EXPECT_TRUE(QFileInfo::exists(Target("snap_c_htm.jpg")));
}

TEST_F(SnapshotBatchTest, TooLittleSpaceStopsTheBatchBeforeAnythingIsWritten) {
  SetUpBatch();
  window_->SetMinimumKb(2000000000);
  RunBatch(0);
  const QStringList texts = prompter_.TakeTexts();
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts.at(0).startsWith(QStringLiteral("Diskspace on drive \"")))
      << texts.at(0).toStdString();
  EXPECT_TRUE(texts.at(0).endsWith(QStringLiteral("Kb!\r\nProcess stopped.")));
  EXPECT_TRUE(QDir(program_.SNAPSHOTPATH).entryList(QDir::Files).isEmpty());
  EXPECT_TRUE(window_->isEnabled());
}

TEST_F(SnapshotBatchTest, TheBatchDialogChoosesFolderAndFileType) {
  program_.SNAPSHOTPATH = folder_.path() + QStringLiteral("snaps/");
  SnapshotBatchDialog dialog(program_, prompter_, 3);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Export 3 snapshots"));
  EXPECT_EQ(dialog.location()->text(), program_.SNAPSHOTPATH);
  EXPECT_TRUE(dialog.startButton()->isEnabled());
  EXPECT_EQ(dialog.Ext(), QStringLiteral(".jpg"));
  EXPECT_EQ(dialog.Format(), SnapshotFormat::kJpeg);
  dialog.fileType()->setCurrentIndex(1);
  EXPECT_EQ(dialog.Ext(), QStringLiteral(".bmp"));
  EXPECT_EQ(dialog.Format(), SnapshotFormat::kBmp);

  prompter_.AnswerFolder(QString());  // cancelled: back to the stored folder
  dialog.chooseButton()->click();
  EXPECT_EQ(dialog.location()->text(), program_.SNAPSHOTPATH);
  prompter_.AnswerFolder(folder_.path() + QStringLiteral("chosen"));
  dialog.chooseButton()->click();
  EXPECT_EQ(dialog.location()->text(), folder_.path() + QStringLiteral("chosen/"));
  EXPECT_EQ(prompter_.TakeShown().size(), 2u);
  dialog.startButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(program_.SNAPSHOTPATH, folder_.path() + QStringLiteral("chosen/"));

  program_.SNAPSHOTPATH = QStringLiteral("  ");
  SnapshotBatchDialog blank(program_, prompter_, 2);
  blank.show();
  EXPECT_FALSE(blank.startButton()->isEnabled());
}

TEST_F(SnapshotBatchTest, TheBatchDialogKeepsTheRenderTimeoutOnlyOnStart) {
  program_.SNAPSHOTPATH = folder_.path() + QStringLiteral("snaps/");
  program_.RenderTimeout = 0;  // a file holding nonsense still shows a usable value
  {
    SnapshotBatchDialog dialog(program_, prompter_, 2);
    dialog.show();
    EXPECT_EQ(dialog.timeoutBox()->value(), 1);
    dialog.timeoutBox()->setValue(20);
    dialog.cancelButton()->click();
  }
  EXPECT_EQ(program_.RenderTimeout, 0);
  SnapshotBatchDialog dialog(program_, prompter_, 2);
  dialog.show();
  dialog.timeoutBox()->setValue(20);
  dialog.startButton()->click();
  EXPECT_EQ(program_.RenderTimeout, 20);
}

TEST_F(SnapshotBatchTest, CancellingTheBatchDialogRendersNothing) {
  SetUpBatch();
  WithModal<SnapshotBatchDialog>(
      [&] { window_->batchButton()->click(); },
      [](SnapshotBatchDialog* dialog) { dialog->cancelButton()->click(); });
  EXPECT_TRUE(progress_.texts.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(program_.SNAPSHOTPATH));
}

}  // namespace
}  // namespace vistrel::testing
