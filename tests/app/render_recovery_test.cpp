#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <csignal>

#include "app/ui/file_commands.h"
#include "core/render_guard.h"
#include "render/browser_view.h"
#include "viewer_fixture.h"

namespace vistrel::testing {
namespace {

const char kGreen[] = "<html><body style='margin:0;background:#0f0'>a</body></html>";
const char kRed[] = "<html><body style='margin:0;background:#f00'>b</body></html>";

class PreviewRecoveryTest : public ViewerTest {
 protected:
  BrowserView* Browser() const { return viewer_->browser(); }
  // Previews the row and waits until the browser has finished loading its file.
  ::testing::AssertionResult PreviewLoads(int row, const QString& file) {
    QSignalSpy finished(Browser(), &BrowserView::LoadFinished);
    Preview(row);
    while (finished.wait(30000))
      if (Browser()->CurrentFile() == file) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no load of " << file.toStdString();
  }
};

TEST_F(PreviewRecoveryTest, KilledRendererIsToldInTheHintLineAndTheNextClickRecovers) {
  const QString a = dir_.Write(QStringLiteral("prog/a.htm"), kGreen);
  const QString b = dir_.Write(QStringLiteral("prog/b.htm"), kRed);
  StartWithViewer();
  ASSERT_TRUE(PreviewLoads(0, a));
  const qint64 pid = Browser()->RenderProcessPid();
  ASSERT_GT(pid, 0);
  QSignalSpy lost(Browser(), &BrowserView::RendererLost);
  ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
  ASSERT_TRUE(lost.wait(30000));
  const QString told = lost.first().at(0).toString();
  EXPECT_TRUE(told.startsWith(QStringLiteral("The page's render process was killed")))
      << told.toStdString();
  EXPECT_EQ(window_->HintText(), told);
  EXPECT_EQ(viewer_->hintBox()->text(), told);
  EXPECT_FALSE(window_->state().BrowserBusy);

  // A click on the same file brings it back without reloading the editor.
  Editor()->setPlainText(QStringLiteral("edited"));
  ASSERT_TRUE(PreviewLoads(0, a));
  EXPECT_FALSE(Browser()->HasLostRenderer());
  EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("edited"));
  ASSERT_TRUE(PreviewLoads(1, b));
  EXPECT_EQ(window_->state().EditorFile, b);
}

TEST_F(PreviewRecoveryTest, PageWhoseScriptNeverEndsDoesNotHoldTheNextClick) {
  const QString spin = dir_.Write(QStringLiteral("prog/a.htm"),
                                  "<body style=\"background:#00f\"><script>for(;;){}</script>");
  const QString spinLater = dir_.Write(
      QStringLiteral("prog/b.htm"),
      "<body onload='setTimeout(() => { for (;;) {} }, 0)' style='background:#00f'></body>");
  const QString next = dir_.Write(QStringLiteral("prog/c.htm"), kRed);
  StartWithViewer();
  Preview(0);
  ASSERT_TRUE(PreviewLoads(2, next));
  ASSERT_TRUE(PreviewLoads(1, spinLater));
  ASSERT_TRUE(PreviewLoads(2, next));
  EXPECT_EQ(window_->HintText(),
            spinLater + QStringLiteral(" did not answer; its render process was stopped"));
  EXPECT_EQ(window_->state().EditorFile, next);
  EXPECT_FALSE(window_->state().BrowserBusy);
}

TEST_F(PreviewRecoveryTest, PreviewAndSnapshotInsideARunningBatchAreRefused) {
  const QString a = dir_.Write(QStringLiteral("prog/a.htm"), kGreen);
  const QString b = dir_.Write(QStringLiteral("prog/b.htm"), kRed);
  StartWithViewer();
  ASSERT_TRUE(PreviewLoads(0, a));
  const QString running = QStringLiteral(
      " not started: Make Thumbs is still running (Esc in the progress window stops it)");
  {
    const RenderGuard::Hold batch(RenderGuard::Shared(), QStringLiteral("Make Thumbs"));
    Preview(1);
    EXPECT_EQ(window_->state().EditorFile, a);
    EXPECT_EQ(window_->HintText(), QStringLiteral("Preview") + running);

    // A snapshot window would open modally; none may.
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        opened = true;
        modal->close();
      }
    });
    window_->fileCommands().CreateSnapshots();
    QCoreApplication::processEvents();
    EXPECT_FALSE(opened);
    EXPECT_EQ(window_->HintText(), QStringLiteral("Create Snapshot") + running);
  }
  ASSERT_TRUE(PreviewLoads(1, b));
  EXPECT_EQ(window_->state().EditorFile, b);
}

}  // namespace
}  // namespace vistrel::testing
