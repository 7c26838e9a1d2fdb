#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QVBoxLayout>

#include "render/browser_view.h"
#include "snapshot_input_of.h"
#include "snapshot_window_fixture.h"
#include "snapshots/image_files.h"
#include "snapshots/snapshot_renderer.h"
#include "snapshots/snapshot_save.h"

namespace vistrel::testing {
namespace {

using SnapshotRendererTest = SnapshotWindowTest;

// 800 x 600 at 50 %, shadow 10, border 3, the vertical scroll-bar strip cut off.
SnapshotSettings FramedHalfSize(ScriptedPrompter& prompter) {
  SnapshotSettings settings;
  SnapshotInput input = SnapshotInputOf("800", "600", "50", "10", "3");
  input.cropVerti = true;
  input.bgCol = 0x00FFFF;      // yellow
  input.shadeCol = 0x808080;   // grey
  input.borderCol = 0x800000;  // navy
  EXPECT_TRUE(TestInput(input, settings, prompter));
  return settings;
}

TEST_F(SnapshotRendererTest, ARealPageBecomesAFramedSnapshotFileOfTheComposedSize) {
  const QString page = ColouredPage(QStringLiteral("green.htm"), "#00ff00");
  const SnapshotSettings settings = FramedHalfSize(prompter_);
  SnapshotRenderer renderer(Profile(), BrowserDisplaySettings());
  QImage snapshot;
  QStringList status;
  ASSERT_EQ(renderer.DoTheShot(page, settings, RenderSize(settings, true), &snapshot,
                               [&](const QString& text) { status << text; }),
            SnapshotRenderer::Result::kRendered);
  EXPECT_EQ(status, (QStringList{QStringLiteral("Creating Snapshot image ..."),
                                 QStringLiteral("Resizing Snapshot ...")}));
  ASSERT_EQ(snapshot.size(), QSize(394, 310));
  // Three frames inside the page's edge, the page itself, then shadow and background.
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(PixelAt(snapshot, k, 150), QColor(0, 0, 128)) << k;
    EXPECT_EQ(PixelAt(snapshot, 383 - k, 150), QColor(0, 0, 128)) << k;
    EXPECT_EQ(PixelAt(snapshot, 200, 299 - k), QColor(0, 0, 128)) << k;
  }
  EXPECT_TRUE(NearColour(PixelAt(snapshot, 3, 150), QColor(0, 255, 0)));
  EXPECT_TRUE(NearColour(PixelAt(snapshot, 380, 296), QColor(0, 255, 0)));
  EXPECT_EQ(PixelAt(snapshot, 393, 309), QColor(128, 128, 128));
  EXPECT_EQ(PixelAt(snapshot, 384, 10), QColor(128, 128, 128));
  EXPECT_EQ(PixelAt(snapshot, 393, 9), QColor(255, 255, 0));
  EXPECT_EQ(PixelAt(snapshot, 9, 309), QColor(255, 255, 0));

  const QString out = folder_.path() + QStringLiteral("out/shot.jpg");
  ASSERT_TRUE(QDir().mkpath(folder_.path() + QStringLiteral("out")));
  ASSERT_TRUE(SaveSnapshot(out, SnapshotFormat::kJpeg, false, snapshot, prompter_, {}));
  const QImage written = ReadImageFile(out);
  ASSERT_EQ(written.size(), QSize(394, 310));
  EXPECT_TRUE(NearColour(PixelAt(written, 200, 150), QColor(0, 255, 0), 8));
}

TEST_F(SnapshotRendererTest, AMissingPageLeavesTheImageInHand) {
  const SnapshotSettings settings = FramedHalfSize(prompter_);
  SnapshotRenderer renderer(Profile(), BrowserDisplaySettings());
  QImage snapshot(5, 5, QImage::Format_RGB888);
  snapshot.fill(Qt::red);
  bool statusShown = false;
  EXPECT_EQ(renderer.DoTheShot(folder_.path() + QStringLiteral("gone.htm"), settings,
                               RenderSize(settings, true), &snapshot,
                               [&](const QString&) { statusShown = true; }),
            SnapshotRenderer::Result::kNoFile);
  EXPECT_EQ(snapshot.size(), QSize(5, 5));
  EXPECT_EQ(PixelAt(snapshot, 2, 2), QColor(255, 0, 0));
  EXPECT_FALSE(statusShown);
}

TEST_F(SnapshotRendererTest, ALentViewIsShotAtTheRenderSizeAndGivenBackWhereItWas) {
  const QString page = ColouredPage(QStringLiteral("blue.htm"), "#0000ff");
  const auto pane = ShowPane(QSize(300, 200), page);
  BrowserView* view = pane->view;

  SnapshotSettings settings;
  ASSERT_TRUE(TestInput(SnapshotInputOf("120", "90", "100", "0", "0"), settings, prompter_));
  SnapshotRenderer renderer(Profile(), BrowserDisplaySettings());
  QImage snapshot;
  ASSERT_EQ(renderer.DoTheShot(page, settings, QSize(120, 90), &snapshot, {}, view),
            SnapshotRenderer::Result::kRendered);
  ASSERT_EQ(snapshot.size(), QSize(120, 90));
  EXPECT_EQ(PixelAt(snapshot, 119, 89), QColor(0, 0, 255));
  EXPECT_EQ(view->parentWidget(), &pane->host);
  EXPECT_EQ(pane->layout->indexOf(view), 0);
  EXPECT_EQ(view->CurrentFile(), page);  // given back as it was, not loaded anew
}

}  // namespace
}  // namespace vistrel::testing
