#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>

#include "render/browser_view.h"
#include "snapshot_window_fixture.h"
#include "snapshots/colour_box.h"
#include "snapshots/image_files.h"
#include "snapshots/snapshot_options_window.h"
#include "snapshots/up_down_buttons.h"

namespace vistrel::testing {
namespace {

class SnapshotOptionsTest : public SnapshotWindowTest {
 protected:
  SnapshotServices Services() { return {program_, prompter_, Profile(), {}, progress_}; }
  WatchedProgress progress_;
};

TEST_F(SnapshotOptionsTest, OpensWithTheStoredOptionsAndShowsTheirLayout) {
  program_.CustomWidth = 400;
  program_.CustomHeight = 300;
  program_.Scale = 50;
  program_.Shade = 4;
  program_.Border = 2;
  program_.BGCol = 0x00FFFF;
  program_.ShadeCol = 0x123456;  // not a named colour: must survive as it is
  program_.CropVerti = true;
  SnapshotRequest request;
  request.FileName = QStringLiteral("/web/index.htm");
  SnapshotOptionsWindow window(Services(), nullptr, request);
  window.show();

  EXPECT_EQ(window.windowTitle(), QStringLiteral("Snapshot Options - (File: /web/index.htm)"));
  EXPECT_EQ(window.statusLine()->text(),
            QStringLiteral("Snapshot - Set your preferences then click 'Preview'"));
  EXPECT_TRUE(window.customSize()->isChecked());
  EXPECT_FALSE(window.browserSize()->isEnabled());
  EXPECT_TRUE(window.viewSizeEntry()->text().isEmpty());
  EXPECT_EQ(window.widthEntry()->text(), QStringLiteral("400"));
  EXPECT_EQ(window.heightEntry()->text(), QStringLiteral("300"));
  EXPECT_EQ(window.scaleEntry()->text(), QStringLiteral("50"));
  EXPECT_EQ(window.shadeEntry()->text(), QStringLiteral("4"));
  EXPECT_EQ(window.borderEntry()->text(), QStringLiteral("2"));
  EXPECT_EQ(window.shadowColour()->Value(), 0x123456);
  EXPECT_TRUE(window.cropVertical()->isChecked());
  EXPECT_FALSE(window.cropHorizontal()->isChecked());
  EXPECT_FALSE(window.saveButton()->isEnabled());
  EXPECT_FALSE(window.batchButton()->isEnabled());

  // The layout alone: 200 - 16 by 150 page, shadow 4, white page inside two navy frames.
  const QImage& layout = window.imgSave();
  ASSERT_EQ(layout.size(), QSize(188, 154));
  EXPECT_EQ(PixelAt(layout, 1, 1), QColor(0, 0, 128));
  EXPECT_EQ(PixelAt(layout, 2, 2), QColor(255, 255, 255));
  EXPECT_EQ(PixelAt(layout, 187, 153), QColor(0x56, 0x34, 0x12));
  EXPECT_EQ(PixelAt(layout, 187, 2), QColor(255, 255, 0));

  window.BClipClick();
  const QImage copied = QApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(188, 154));
}

TEST_F(SnapshotOptionsTest, RefusedEntriesNameThemselvesAndAcceptedOnesAreStored) {
  SnapshotRequest request;
  request.FileName = QStringLiteral("/web/missing.htm");
  SnapshotOptionsWindow window(Services(), nullptr, request);
  window.show();

  struct Case {
    const char* width;
    const char* height;
    const char* scale;
    bool cropVerti;
    const char* message;
  };
  const Case cases[] = {
      {"9", "600", "100", false, "Minimum size is 10x10 pixels!"},
      {"2001", "600", "100", false, "Maximum size is 2000x3000 pixels!"},
      {"800", "3001", "100", false, "Maximum size is 2000x3000 pixels!"},
      {"abc", "600", "100", false, "abc is not a valid width!"},
      {"800", "6o0", "100", false, "6o0 is not a valid height!"},
      {"640", "480", "4", false, "4 is not a valid scaling factor: (5-100%)!"},
      {"640", "480", "101", false, "101 is not a valid scaling factor: (5-100%)!"},
      {"100", "100", "10", true,
       "Resulting snapshot would be smaller than 10x10 pixels.\r\n"
       "Please increase size values or scaling factor."},
  };
  for (const Case& c : cases) {
    window.widthEntry()->setText(QLatin1String(c.width));
    window.heightEntry()->setText(QLatin1String(c.height));
    window.scaleEntry()->setText(QLatin1String(c.scale));
    window.cropVertical()->setChecked(c.cropVerti);
    window.previewButton()->click();
    EXPECT_EQ(prompter_.TakeTexts(), QStringList{QLatin1String(c.message)}) << c.message;
    EXPECT_FALSE(window.saveButton()->isEnabled());
  }
  // The base size was taken before the scale was refused, and it outlives the window.
  EXPECT_EQ(program_.CustomWidth, 100);
  EXPECT_EQ(program_.CustomHeight, 100);
  EXPECT_EQ(program_.Scale, 10);

  // The largest size is accepted; the missing file is simply not rendered.
  window.widthEntry()->setText(QStringLiteral("2000"));
  window.heightEntry()->setText(QStringLiteral("3000"));
  window.scaleEntry()->setText(QStringLiteral("5"));
  window.cropVertical()->setChecked(false);
  window.previewButton()->click();
  EXPECT_TRUE(prompter_.TakeTexts().isEmpty());
  EXPECT_EQ(window.settings().OutWidth, 100 + 10);
  EXPECT_EQ(program_.CustomWidth, 2000);
}

TEST_F(SnapshotOptionsTest, SpinButtonsStepWithinTheirRanges) {
  SnapshotOptionsWindow window(Services(), nullptr, SnapshotRequest());
  window.show();
  window.scaleButtons()->upButton()->click();
  window.scaleButtons()->downButton()->click();
  EXPECT_EQ(window.scaleEntry()->text(), QStringLiteral("95"));  // held at 100, then one step
  window.widthEntry()->setText(QStringLiteral("1990"));
  window.widthButtons()->upButton()->click();
  EXPECT_EQ(window.widthEntry()->text(), QStringLiteral("2000"));
  window.shadeEntry()->setText(QStringLiteral("0"));
  window.shadeButtons()->downButton()->click();
  EXPECT_EQ(window.shadeEntry()->text(), QStringLiteral("0"));
}

TEST_F(SnapshotOptionsTest, PreviewThenSaveUnderTheProposedOrTypedName) {
  const QString page = ColouredPage(QStringLiteral("site.v2/index.htm"), "#ff0000");
  program_.SNAPSHOTPATH = folder_.MakeDir(QStringLiteral("snaps.d"));
  program_.Shade = 0;
  program_.Border = 0;
  SnapshotRequest request;
  request.FileName = page;
  SnapshotOptionsWindow window(Services(), nullptr, request);
  window.show();
  window.widthEntry()->setText(QStringLiteral("200"));
  window.heightEntry()->setText(QStringLiteral("100"));
  window.scaleEntry()->setText(QStringLiteral("50"));
  window.previewButton()->click();
  EXPECT_EQ(window.statusLine()->text(),
            QStringLiteral("Snapshot done: (Source: 200x100,  Snapshot: 100x50 = 50%)"));
  ASSERT_TRUE(window.saveButton()->isEnabled());
  EXPECT_TRUE(NearColour(PixelAt(window.imgSave(), 50, 25), QColor(255, 0, 0)));

  const QString other = folder_.MakeDir(QStringLiteral("other"));
  prompter_.AnswerSaveFile(other + QStringLiteral("shot"));
  window.saveButton()->click();
  prompter_.TakeShown();
  EXPECT_EQ(prompter_.lastSave.fileName, QStringLiteral("snap_index_htm.jpg"));
  EXPECT_EQ(prompter_.lastSave.folder, folder_.path() + QStringLiteral("snaps.d/"));
  EXPECT_EQ(window.statusLine()->text(),
            QStringLiteral("Saved as:") + other + QStringLiteral("shot.jpg"));
  EXPECT_EQ(ReadImageFile(other + QStringLiteral("shot.jpg")).size(), QSize(100, 50));
  EXPECT_EQ(program_.SNAPSHOTPATH, other);

  // A typed extension of the other kind picks that kind; its case is kept.
  prompter_.AnswerSaveFile(other + QStringLiteral("shot.BMP"));
  window.saveButton()->click();
  prompter_.TakeShown();
  const QByteArray bmp = folder_.Read(QStringLiteral("other/shot.BMP"));
  ASSERT_GT(bmp.size(), 30);
  EXPECT_EQ(bmp.left(2), QByteArray("BM"));
  EXPECT_EQ(static_cast<unsigned char>(bmp.at(28)), 24);

  // The next proposal follows the kind chosen last; cancelling writes nothing.
  prompter_.AnswerSaveFile(QString());
  window.saveButton()->click();
  prompter_.TakeShown();
  EXPECT_EQ(prompter_.lastSave.fileName, QStringLiteral("snap_index_htm.bmp"));
  EXPECT_EQ(program_.SNAPSHOTPATH, other);
}

TEST_F(SnapshotOptionsTest, FromTheViewerTheBrowserPaneIsShotAtItsOwnSize) {
  const QString page = ColouredPage(QStringLiteral("shown.htm"), "#0000ff");
  const auto shown = ShowPane(QSize(240, 160), page);
  BrowserView* pane = shown->view;
  const QSize paneSize = pane->size();

  program_.Shade = 0;
  program_.Border = 0;
  SnapshotRequest request;
  request.FileName = page;
  SnapshotOptionsWindow window(Services(), nullptr, request, pane);
  window.show();
  EXPECT_TRUE(window.browserSize()->isChecked());
  EXPECT_TRUE(window.browserSize()->isEnabled());
  EXPECT_FALSE(window.widthEntry()->isEnabled());
  EXPECT_EQ(window.viewSizeEntry()->text(),
            QStringLiteral("(%1x%2)").arg(paneSize.width()).arg(paneSize.height()));
  window.previewButton()->click();
  EXPECT_EQ(window.statusLine()->text(),
            QStringLiteral("Snapshot done: (Source: %1x%2,  Snapshot: %1x%2 = 100%)")
                .arg(paneSize.width())
                .arg(paneSize.height()));
  ASSERT_EQ(window.imgSave().size(), paneSize);
  EXPECT_EQ(PixelAt(window.imgSave(), paneSize.width() - 1, paneSize.height() - 1),
            QColor(0, 0, 255));
  EXPECT_EQ(pane->parentWidget(), &shown->host);
  EXPECT_EQ(pane->size(), paneSize);
}

}  // namespace
}  // namespace vistrel::testing
