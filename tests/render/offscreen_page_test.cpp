#include <QLabel>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/vistrel_error.h"
#include "render/browser_view.h"
#include "render/offscreen_page.h"
#include "render_fixture.h"

namespace vistrel::testing {
namespace {

using OffscreenPageTest = RenderTest;

TEST_F(OffscreenPageTest, CapturesExactlyTheRenderSizeOfEachPageInTurn) {
  OffscreenPage page(Profile(), QSize(320, 200));
  const QString red = folder_.Write(QStringLiteral("red.htm"), ColouredPage("#ff0000"));
  const QString blue = folder_.Write(QStringLiteral("blue.htm"), ColouredPage("#0000ff"));
  // One page serves many loads; each capture must show the page just loaded.
  for (int round = 0; round < 3; ++round) {
    for (const auto& [file, colour] :
         {std::pair{red, QColor(255, 0, 0)}, std::pair{blue, QColor(0, 0, 255)}}) {
      ASSERT_TRUE(page.LoadHTMLFile(file));
      const QImage image = page.Capture();
      ASSERT_EQ(image.size(), QSize(320, 200));
      EXPECT_EQ(PixelAt(image, 0, 199), colour) << round;
      EXPECT_EQ(PixelAt(image, 319, 150), colour) << round;
    }
  }

  page.SetRenderSize(QSize(150, 90));
  ASSERT_TRUE(page.LoadHTMLFile(red));
  const QImage small = page.Capture();
  EXPECT_EQ(small.size(), QSize(150, 90));
  EXPECT_EQ(PixelAt(small, 149, 89), QColor(255, 0, 0));
}

TEST_F(OffscreenPageTest, UsesTheSharedDisplaySettingsAndRefusesMissingFiles) {
  OffscreenPage page(Profile(), QSize(100, 80));
  BrowserDisplaySettings settings;
  settings.Background = 0x00FFFF;  // yellow
  page.SetDisplaySettings(settings);
  ASSERT_TRUE(page.LoadHTMLFile(
      folder_.Write(QStringLiteral("plain.htm"), "<html><body><p>x</p></body></html>")));
  EXPECT_EQ(PixelAt(page.Capture(), 90, 70), QColor(255, 255, 0));
  EXPECT_EQ(page.View().DisplaySettings(), settings);

  const QString missing = folder_.path() + QStringLiteral("none.htm");
  try {
    page.LoadHTMLFile(missing);
    ADD_FAILURE() << "a missing file must not load";
  } catch (const VistrelError& error) {
    EXPECT_EQ(error.message(), QStringLiteral("Can't locate file: ") + missing);
  }
}

TEST_F(OffscreenPageTest, APageThatNeverFinishesEndsAtTheTimeoutWithWhatIsPainted) {
  // A named pipe nobody writes to: the frame reading it never finishes loading.
  const QString pipe = folder_.path() + QStringLiteral("never.htm");
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const QString page = folder_.Write(
      QStringLiteral("hangs.htm"),
      "<html><body style='margin: 0; background: #00ff00'><p>wait</p>"
      "<iframe src='never.htm' style='width: 10px; height: 10px'></iframe></body></html>");
  OffscreenPage offscreen(Profile(), QSize(200, 150));
  offscreen.SetTimeout(1500);
  EXPECT_FALSE(offscreen.LoadHTMLFile(page));
  const QImage image = offscreen.Capture();
  EXPECT_EQ(image.size(), QSize(200, 150));
  EXPECT_EQ(PixelAt(image, 199, 149), QColor(0, 255, 0));

  // The next page is not held up by the one that hung.
  offscreen.SetTimeout(OffscreenPage::kDefaultTimeoutMs);
  EXPECT_TRUE(
      offscreen.LoadHTMLFile(folder_.Write(QStringLiteral("ok.htm"), ColouredPage("#0000ff"))));
  EXPECT_EQ(PixelAt(offscreen.Capture(), 10, 140), QColor(0, 0, 255));

  // Let the engine's reader go, or it would hold up the end of the process.
  const int writer = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
  EXPECT_GE(writer, 0);
  if (writer >= 0) ::close(writer);
}

TEST_F(OffscreenPageTest, ALentViewIsCapturedAtTheRenderSizeAndGivenBackUnchanged) {
  QWidget viewer;
  viewer.setAttribute(Qt::WA_DontShowOnScreen);
  auto* layout = new QVBoxLayout(&viewer);
  auto* above = new QLabel(QStringLiteral("above"), &viewer);
  auto* view = new BrowserView(Profile(), 10, &viewer);
  auto* below = new QLabel(QStringLiteral("below"), &viewer);
  layout->addWidget(above);
  layout->addWidget(view, 1);
  layout->addWidget(below);
  viewer.resize(500, 400);
  viewer.show();
  const QString first = folder_.Write(QStringLiteral("first.htm"), ColouredPage("#ff0000"));
  const QString second = folder_.Write(QStringLiteral("second.htm"),
                                       "<html><body style='margin: 0; background: #0000ff'><div "
                                       "style='height: 3000px'></div></body></html>");
  LoadAndWait(*view, first);
  LoadAndWait(*view, second);  // the page the user navigated to is the one captured
  const QSize sizeInViewer = view->size();
  QSignalSpy busy(view, &BrowserView::BusyChanged);

  {
    OffscreenPage page(Profile(), QSize(300, 160));
    ASSERT_TRUE(page.LendView(*view));
    EXPECT_EQ(&page.View(), view);
    const QImage image = page.Capture();
    EXPECT_EQ(image.size(), QSize(300, 160));
    EXPECT_EQ(PixelAt(image, 5, 155), QColor(0, 0, 255));
    page.ReturnView();
    EXPECT_EQ(view->parentWidget(), &viewer);
    EXPECT_EQ(layout->indexOf(view), 1);
    EXPECT_EQ(layout->stretch(1), 1);
    EXPECT_TRUE(view->isVisible());
    // Lending again and letting the page go out of scope also gives the view back.
    ASSERT_TRUE(page.LendView(*view));
  }
  EXPECT_EQ(view->parentWidget(), &viewer);
  EXPECT_EQ(layout->indexOf(view), 1);
  viewer.layout()->activate();
  EXPECT_EQ(view->size(), sizeInViewer);
  EXPECT_EQ(view->CurrentFile(), second);
  EXPECT_TRUE(view->CanGoBack());
  EXPECT_EQ(busy.count(), 0) << "the page was loaded again";
}

}  // namespace
}  // namespace vistrel::testing
