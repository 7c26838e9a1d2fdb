#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include "core/vistrel_error.h"
#include "render/browser_view.h"
#include "render/paint_wait.h"
#include "render_fixture.h"

namespace vistrel::testing {
namespace {

class BrowserViewTest : public RenderTest {
 protected:
  void SetUp() override {
    window_.resize(400, 300);
    layout_ = new QHBoxLayout(&window_);
    layout_->setContentsMargins(0, 0, 0, 0);
  }

  // A view of the given history depth, shown in this test's window.
  BrowserView& MakeView(int historyDepth) {
    view_ = new BrowserView(Profile(), historyDepth, &window_);
    layout_->addWidget(view_);
    window_.show();
    return *view_;
  }

  QWidget window_;
  QHBoxLayout* layout_ = nullptr;
  BrowserView* view_ = nullptr;
};

TEST_F(BrowserViewTest, LoadingReportsBusyAndMissingFilesNameThePath) {
  BrowserView& view = MakeView(10);
  const QString page = folder_.Write(QStringLiteral("index.htm"), ColouredPage("white"));
  QSignalSpy busy(&view, &BrowserView::BusyChanged);
  LoadAndWait(view, page);
  ASSERT_GE(busy.count(), 2);
  EXPECT_TRUE(busy.first().at(0).toBool());
  EXPECT_FALSE(busy.last().at(0).toBool());
  EXPECT_FALSE(view.IsBusy());
  EXPECT_EQ(view.CurrentFile(), page);

  const QString missing = folder_.path() + QStringLiteral("gone.htm");
  try {
    view.LoadFile(missing);
    ADD_FAILURE() << "a missing file must not load";
  } catch (const VistrelError& error) {
    EXPECT_EQ(error.message(), QStringLiteral("Can't locate file: ") + missing);
  }
  EXPECT_THROW(view.LoadFile(folder_.path()), VistrelError);  // a folder is no page
  EXPECT_EQ(view.CurrentFile(), page);

  QSignalSpy cleared(&view, &BrowserView::LoadFinished);
  view.Clear();
  ASSERT_TRUE(cleared.wait(10000));
  EXPECT_EQ(view.CurrentFile(), QString());
}

TEST_F(BrowserViewTest, NetworkRequestsAreRefusedAndLocalOnesServed) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  const QByteArray remote = "http://127.0.0.1:" + QByteArray::number(server.serverPort());
  // A small local picture, written by hand so the test needs no resource.
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::green);
  ASSERT_TRUE(picture.save(folder_.path() + QStringLiteral("local.png")));
  const QString page =
      folder_.Write(QStringLiteral("net.htm"),
                    "<html><body><img id=local src='local.png'><img id=remote src='" + remote +
                        "/x.png'><iframe src='" + remote + "/frame.htm'></iframe><a id=web href='" +
                        remote + "/page.htm'>web</a></body></html>");
  BrowserView& view = MakeView(10);
  const int refusedBefore = Profile().RefusedRequestCount();
  QSignalSpy refused(&Profile(), &BrowserProfile::RequestRefused);
  LoadAndWait(view, page);

  EXPECT_EQ(Evaluate(view, QStringLiteral("document.getElementById('local').naturalWidth")).toInt(),
            8);
  EXPECT_EQ(
      Evaluate(view, QStringLiteral("document.getElementById('remote').naturalWidth")).toInt(), 0);

  // Pictures and frames from the web never reach the network, and neither does a link.
  QSignalSpy finished(&view, &BrowserView::LoadFinished);
  QSignalSpy clicked(&view, &BrowserView::LinkClicked);
  ClickElement(view, QStringLiteral("web"));
  ASSERT_TRUE(finished.wait(10000)) << "the request is still waiting for the network";
  EXPECT_EQ(clicked.count(), 1);
  EXPECT_FALSE(finished.first().at(0).toBool());
  ASSERT_TRUE(refused.count() > 0 || refused.wait(5000));
  EXPECT_EQ(refused.last().at(0).toUrl(), QUrl(QString::fromLatin1(remote + "/page.htm")));
  EXPECT_GE(Profile().RefusedRequestCount() - refusedBefore, 1);
  EXPECT_FALSE(server.hasPendingConnections());
  EXPECT_FALSE(server.waitForNewConnection(0));
}

TEST_F(BrowserViewTest, HistoryReachesOnlyItsDepth) {
  BrowserView& view = MakeView(2);
  QStringList pages;
  for (const char* name : {"a.htm", "b.htm", "c.htm"})
    pages << folder_.Write(QString::fromLatin1(name), ColouredPage("white"));
  QSignalSpy changed(&view, &BrowserView::HistoryChanged);
  for (const QString& page : pages) LoadAndWait(view, page);
  EXPECT_GE(changed.count(), 2);
  EXPECT_TRUE(view.CanGoBack());
  EXPECT_FALSE(view.CanGoForward());

  changed.clear();
  QSignalSpy finished(&view, &BrowserView::LoadFinished);
  view.GoBack();
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(view.CurrentFile(), pages[1]);
  EXPECT_GE(changed.count(), 1);
  EXPECT_TRUE(view.CanGoForward());
  // Two pages of history: the first page is out of reach.
  EXPECT_FALSE(view.CanGoBack());
  view.GoBack();
  view.GoForward();
  ASSERT_TRUE(finished.wait(10000));
  EXPECT_EQ(view.CurrentFile(), pages[2]);

  changed.clear();
  view.GoBack();
  ASSERT_TRUE(finished.wait(10000));
  view.ClearHistory();
  EXPECT_FALSE(view.CanGoBack());
  EXPECT_FALSE(view.CanGoForward());
  EXPECT_GE(changed.count(), 2);
}

TEST_F(BrowserViewTest, WithoutHistoryNothingIsReachable) {
  BrowserView& view = MakeView(0);
  LoadAndWait(view, folder_.Write(QStringLiteral("a.htm"), ColouredPage("white")));
  LoadAndWait(view, folder_.Write(QStringLiteral("b.htm"), ColouredPage("white")));
  EXPECT_FALSE(view.CanGoBack());
  EXPECT_FALSE(view.CanGoForward());
}

TEST_F(BrowserViewTest, LinkHoverAndClickReportTargetAndAddress) {
  BrowserView& view = MakeView(10);
  folder_.Write(QStringLiteral("sub/second.htm"), ColouredPage("white"));
  const QString nav = folder_.Write(
      QStringLiteral("frames/nav.htm"),
      "<html><body style='margin: 0'><a href='../sub/second.htm' target='main' "
      "style='display: block; width: 200px; height: 40px'>in the frame</a></body></html>");
  const QString page =
      folder_.Write(QStringLiteral("links.htm"),
                    "<html><body style='margin: 0'>"
                    "<iframe name=nav src='frames/nav.htm' style='display: block; border: 0; "
                    "width: 200px; height: 40px'></iframe>"
                    "<iframe name=main src='about:blank' style='display: block; border: 0; width: "
                    "200px; height: 40px'></iframe>"
                    "<a id=go href='sub/second.htm#part'><b id=inner>go</b></a> "
                    "<a id=jump href='#end'>jump</a><p id=end>end</p></body></html>");
  LoadAndWait(view, page);

  QSignalSpy hovered(&view, &BrowserView::LinkHovered);
  Evaluate(view, QStringLiteral("document.getElementById('inner').dispatchEvent(new "
                                "MouseEvent('mouseover', {bubbles: true}));"
                                "document.getElementById('inner').dispatchEvent(new "
                                "MouseEvent('mouseout', {bubbles: true}));"));
  while (hovered.count() < 2 && hovered.wait(5000)) {
  }
  ASSERT_EQ(hovered.count(), 2);
  EXPECT_EQ(hovered.at(0).at(0).toString(), QString());
  EXPECT_EQ(hovered.at(0).at(1).toString(), QStringLiteral("sub/second.htm#part"));
  EXPECT_EQ(hovered.at(1).at(0).toString(), QString());
  EXPECT_EQ(hovered.at(1).at(1).toString(), QString());

  // A link in a frame names its target and its frame's file (the engine reports that
  // navigation as no link click); a cancelled click keeps the page; a jump inside the page
  // is reported as well.
  QStringList clicks;
  QObject::connect(&view, &BrowserView::LinkClicked, &view,
                   [&](const QString& target, const QString& url, bool* cancel) {
                     clicks << target + QLatin1Char('>') + url;
                     *cancel = url == QLatin1String("sub/second.htm#part");
                   });
  QSignalSpy clicked(&view, &BrowserView::LinkClicked);
  QTest::mouseClick(view.focusProxy()->focusProxy() ? view.focusProxy()->focusProxy() : &view,
                    Qt::LeftButton, Qt::NoModifier, QPoint(100, 20));
  ASSERT_TRUE(clicked.wait(5000));
  EXPECT_EQ(view.ClickedLinkFrameFile(), nav);
  ClickElement(view, QStringLiteral("inner"));
  ASSERT_TRUE(clicked.wait(5000));
  ClickElement(view, QStringLiteral("jump"));
  ASSERT_TRUE(clicked.wait(5000));
  EXPECT_EQ(clicks, QStringList({QStringLiteral("main>../sub/second.htm"),
                                 QStringLiteral(">sub/second.htm#part"), QStringLiteral(">#end")}));
  EXPECT_EQ(view.ClickedLinkFrameFile(), page);
  EXPECT_EQ(view.CurrentFile(), page);
}

TEST_F(BrowserViewTest, DisplaySettingsAreDefaultsThatThePageMayOverride) {
  BrowserView& view = MakeView(10);
  BrowserDisplaySettings settings;
  settings.FontColor = 0x0000FF;   // red
  settings.LinkColor = 0x00FF00;   // green
  settings.Background = 0x00FFFF;  // yellow
  settings.FontSize = 18;
  settings.ShowImages = false;
  view.SetDisplaySettings(settings);
  EXPECT_EQ(view.DisplaySettings(), settings);
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::green);
  ASSERT_TRUE(picture.save(folder_.path() + QStringLiteral("pic.png")));

  const QString plain =
      folder_.Write(QStringLiteral("plain.htm"),
                    "<html><body><p id=p>text</p><a id=a href='x.htm'>link</a><img id=i "
                    "src='pic.png'></body></html>");
  auto style = [&view](const char* id, const char* property) {
    return Evaluate(view, QStringLiteral("getComputedStyle(document.getElementById('%1')).%2")
                              .arg(QLatin1String(id), QLatin1String(property)))
        .toString();
  };
  LoadAndWait(view, plain);
  EXPECT_EQ(PixelAt(view.Capture(), view.width() - 5, view.height() - 5), QColor(255, 255, 0));
  EXPECT_EQ(style("p", "color"), QStringLiteral("rgb(255, 0, 0)"));
  EXPECT_EQ(style("a", "color"), QStringLiteral("rgb(0, 255, 0)"));
  EXPECT_EQ(style("p", "fontSize"), QStringLiteral("24px"));
  EXPECT_EQ(Evaluate(view, QStringLiteral("document.getElementById('i').naturalWidth")).toInt(), 0);

  // Colours the page names itself, in attributes or styles, win over the defaults.
  const QString own =
      folder_.Write(QStringLiteral("own.htm"),
                    "<html><body bgcolor='#0000ff' text='#ffffff' link='#000000'><p id=p>text</p>"
                    "<a id=a href='x.htm'>link</a><a id=b style='color: #808080' "
                    "href='y.htm'>b</a></body></html>");
  LoadAndWait(view, own);
  EXPECT_EQ(PixelAt(view.Capture(), view.width() - 5, view.height() - 5), QColor(0, 0, 255));
  EXPECT_EQ(style("p", "color"), QStringLiteral("rgb(255, 255, 255)"));
  EXPECT_EQ(style("a", "color"), QStringLiteral("rgb(0, 0, 0)"));
  EXPECT_EQ(style("b", "color"), QStringLiteral("rgb(128, 128, 128)"));
}

TEST_F(BrowserViewTest, SelectAllAndCopyPutThePageTextOnTheClipboard) {
  BrowserView& view = MakeView(10);
  LoadAndWait(view, folder_.Write(QStringLiteral("text.htm"),
                                  "<html><body><p id=p>Alpha beta</p></body></html>"));
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  QSignalSpy copied(clipboard, &QClipboard::dataChanged);
  // As the user does it: the view's window is active and the view has the focus.
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  view.setFocus();
  view.SelectAll();
  view.Copy();
  ASSERT_TRUE(copied.count() > 0 || copied.wait(5000));
  EXPECT_EQ(clipboard->text().trimmed(), QStringLiteral("Alpha beta"));
  EXPECT_EQ(view.SelectedText().trimmed(), QStringLiteral("Alpha beta"));
}

TEST_F(BrowserViewTest, MovingToAnotherWindowKeepsThePage) {
  BrowserView& view = MakeView(10);
  const QString page = folder_.Write(QStringLiteral("keep.htm"), ColouredPage("#00ff00"));
  LoadAndWait(view, page);
  QSignalSpy busy(&view, &BrowserView::BusyChanged);

  QWidget other;
  other.setAttribute(Qt::WA_DontShowOnScreen);
  auto* otherLayout = new QHBoxLayout(&other);
  otherLayout->setContentsMargins(0, 0, 0, 0);
  otherLayout->addWidget(&view);
  other.resize(200, 120);
  other.show();
  ASSERT_TRUE(WaitUntilPainted(view, false, 15000, {}));
  EXPECT_EQ(view.parentWidget(), &other);
  EXPECT_EQ(view.size(), QSize(200, 120));
  EXPECT_EQ(view.CurrentFile(), page);
  const QImage image = view.Capture();
  EXPECT_EQ(image.size(), QSize(200, 120));
  EXPECT_EQ(PixelAt(image, 199, 119), QColor(0, 255, 0));
  EXPECT_EQ(busy.count(), 0) << "the page was loaded again";
  layout_->addWidget(&view);  // back before `other` goes
}

}  // namespace
}  // namespace vistrel::testing
