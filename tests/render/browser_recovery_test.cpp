#include <QFile>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <csignal>

#include "render/browser_view.h"
#include "render/paint_wait.h"
#include "render_fixture.h"

namespace vistrel::testing {
namespace {

// A script that never ends, started as soon as the page has loaded: the load is reported,
// then the render process spins.
const char kSpinsAfterLoad[] =
    "<html><body style='margin:0;background:#00f'>"
    "<script>addEventListener('load', () => setTimeout(() => { for (;;) {} }, 0));</script>"
    "</body></html>";
// The same, spinning while the document is still being read; the title it sets first tells
// the test that the spin has begun.
const char kSpinsWhileLoading[] =
    "<body style=\"background:#00f\"><script>document.title = 'spinning'; for(;;){}</script>";

// Whether the process still runs (a killed child may linger as a zombie until reaped).
bool ProcessRuns(qint64 pid) {
  QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
  if (!stat.open(QIODevice::ReadOnly)) return false;
  const QByteArray line = stat.readAll();
  const int end = line.lastIndexOf(')');
  const char state = end >= 0 && end + 2 < line.size() ? line.at(end + 2) : 'X';
  return state != 'Z' && state != 'X';
}

class BrowserRecoveryTest : public RenderTest {
 protected:
  void SetUp() override {
    window_.resize(300, 200);
    auto* layout = new QHBoxLayout(&window_);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new BrowserView(Profile(), 10, &window_);
    layout->addWidget(view_);
    window_.show();
  }

  QString Page(const char* name, const QByteArray& text) {
    return folder_.Write(QString::fromLatin1(name), text);
  }

  // Loads file and waits for its load to end; true when it ended well.
  bool LoadFinishes(const QString& file) {
    QSignalSpy finished(view_, &BrowserView::LoadFinished);
    view_->LoadFile(file);
    while (finished.wait(20000)) {
      if (view_->CurrentFile() == file) return finished.last().at(0).toBool();
    }
    return false;
  }

  QColor Middle() const {
    const QImage image = view_->Capture();
    return PixelAt(image, image.width() / 2, image.height() / 2);
  }

  QWidget window_;
  BrowserView* view_ = nullptr;
};

TEST_F(BrowserRecoveryTest, PageThatStopsAnsweringIsReplacedAtTheNextLoad) {
  const QString spinning = Page("spin.htm", kSpinsAfterLoad);
  const QString next = Page("next.htm", ColouredPage("#0f0"));
  const QString last = Page("last.htm", ColouredPage("#f00"));
  ASSERT_TRUE(LoadFinishes(Page("first.htm", ColouredPage("white"))));
  ASSERT_TRUE(LoadFinishes(spinning));
  const qint64 spinner = view_->RenderProcessPid();
  ASSERT_GT(spinner, 0);

  QSignalSpy lost(view_, &BrowserView::RendererLost);
  QSignalSpy busy(view_, &BrowserView::BusyChanged);
  LoadAndWait(*view_, next);
  EXPECT_EQ(view_->CurrentFile(), next);
  EXPECT_EQ(Middle(), QColor(0, 255, 0));
  ASSERT_EQ(lost.count(), 1);
  EXPECT_EQ(lost.first().at(0).toString(),
            spinning + QStringLiteral(" did not answer; its render process was stopped"));
  EXPECT_FALSE(view_->IsBusy());
  EXPECT_FALSE(busy.isEmpty());
  EXPECT_FALSE(busy.last().at(0).toBool());
  // The spinning process is gone, not left burning a core.
  EXPECT_FALSE(ProcessRuns(spinner));
  EXPECT_NE(view_->RenderProcessPid(), spinner);

  // The fresh page is a full replacement: display settings, bridge and history work.
  LoadAndWait(*view_, last);
  EXPECT_EQ(Middle(), QColor(255, 0, 0));
  EXPECT_TRUE(view_->CanGoBack());
  EXPECT_EQ(lost.count(), 1);  // a page that answers is never replaced
}

TEST_F(BrowserRecoveryTest, PageSpinningWhileItLoadsDoesNotHoldTheNextOne) {
  const QString next = Page("next.htm", ColouredPage("#0f0"));
  ASSERT_TRUE(LoadFinishes(Page("first.htm", ColouredPage("white"))));
  auto* engine = view_->findChild<QWebEnginePage*>();
  ASSERT_NE(engine, nullptr);
  QSignalSpy titled(engine, &QWebEnginePage::titleChanged);
  view_->LoadFile(Page("spin.htm", kSpinsWhileLoading));
  while (engine->title() != QStringLiteral("spinning")) ASSERT_TRUE(titled.wait(20000));
  QSignalSpy lost(view_, &BrowserView::RendererLost);
  LoadAndWait(*view_, next);
  EXPECT_EQ(lost.count(), 1);
  EXPECT_EQ(view_->CurrentFile(), next);
  EXPECT_EQ(Middle(), QColor(0, 255, 0));
  EXPECT_FALSE(view_->IsBusy());
}

TEST_F(BrowserRecoveryTest, KilledRendererIsReportedAndTheNextLoadBringsThePageBack) {
  const QString first = Page("first.htm", ColouredPage("#0f0"));
  const QString next = Page("next.htm", ColouredPage("#f00"));
  LoadAndWait(*view_, first);
  const qint64 pid = view_->RenderProcessPid();
  ASSERT_GT(pid, 0);
  QSignalSpy lost(view_, &BrowserView::RendererLost);
  ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGKILL), 0);
  ASSERT_TRUE(lost.wait(20000));
  EXPECT_EQ(lost.first().at(0).toString(),
            QStringLiteral("The page's render process was killed (out of memory or stopped) - "
                           "click a file to show it again"));
  EXPECT_TRUE(view_->HasLostRenderer());
  EXPECT_FALSE(view_->IsBusy());

  // The same page comes back when asked again...
  ASSERT_TRUE(WaitUntilPainted(*view_, true, 20000, [this] { view_->Revive(); }));
  EXPECT_FALSE(view_->HasLostRenderer());
  EXPECT_EQ(view_->CurrentFile(), first);
  EXPECT_EQ(Middle(), QColor(0, 255, 0));
  // ...and so does the next one.
  LoadAndWait(*view_, next);
  EXPECT_EQ(Middle(), QColor(255, 0, 0));
  EXPECT_EQ(lost.count(), 1);
}

}  // namespace
}  // namespace vistrel::testing
