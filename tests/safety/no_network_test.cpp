// Pages shown in the preview or rendered off screen never reach the network, whatever they
// ask for; their local pictures still load.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include "render/browser_view.h"
#include "render/offscreen_page.h"
#include "render_fixture.h"

namespace vistrel::testing {
namespace {

class NoNetwork : public RenderTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.listen(QHostAddress::LocalHost));
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections_;
        socket->abort();
      }
    });
    const QByteArray remote = "http://127.0.0.1:" + QByteArray::number(server_.serverPort());
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(folder_.path() + QStringLiteral("local.png")));
    page_ = folder_.Write(
        QStringLiteral("remote.htm"),
        "<html><head><link rel=stylesheet href='" + remote + "/style.css'><script src='" + remote +
            "/script.js'></script></head><body><img id=local src='local.png'><img src='" + remote +
            "/x.png'><iframe src='" + remote + "/frame.htm'></iframe><script>fetch('" + remote +
            "/data.json').then(() => { window.fetched = 'answered'; }, () => { window.fetched = "
            "'refused'; });</script></body></html>");
    // A refresh replaces the page, so it gets a page of its own.
    refresh_ = folder_.Write(QStringLiteral("refresh.htm"),
                             "<html><head><meta http-equiv='refresh' content='0; url=" + remote +
                                 "/refresh.htm'><script>window.marker = 'here'; "
                                 "addEventListener('beforeunload', () => { window.leaving = "
                                 "true; });</script></head><body>moving</body></html>");
  }

  void ExpectPicturesLocalOnlyAndFetchRefused(BrowserView& view) {
    EXPECT_EQ(
        Evaluate(view, QStringLiteral("document.getElementById('local').naturalWidth")).toInt(), 8);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          return Evaluate(view, QStringLiteral("String(window.fetched)")).toString() !=
                 QLatin1String("undefined");
        },
        15000));
    EXPECT_EQ(Evaluate(view, QStringLiteral("window.fetched")).toString(),
              QStringLiteral("refused"));
  }

  // The refresh has started once the page is being left (or already gone); whatever it
  // asked for has then been decided.
  void WaitForTheRefresh(BrowserView& view) {
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          return Evaluate(view, QStringLiteral("window.marker === 'here' ? "
                                               "String(!!window.leaving) : 'gone'"))
                     .toString() != QLatin1String("false");
        },
        15000));
    QCoreApplication::processEvents();
  }

  QTcpServer server_;
  int connections_ = 0;
  QString page_;
  QString refresh_;
};

TEST_F(NoNetwork, ThePreviewMakesNoConnection) {
  QWidget window;
  window.resize(400, 300);
  auto* view = new BrowserView(Profile(), 10, &window);
  view->resize(400, 300);
  window.show();
  LoadAndWait(*view, page_);
  ExpectPicturesLocalOnlyAndFetchRefused(*view);
  LoadAndWait(*view, refresh_);
  WaitForTheRefresh(*view);
  EXPECT_EQ(connections_, 0);
}

TEST_F(NoNetwork, OffScreenRenderingMakesNoConnection) {
  OffscreenPage page(Profile(), QSize(320, 240));
  page.LoadHTMLFile(page_);
  EXPECT_FALSE(page.Capture().isNull());
  ExpectPicturesLocalOnlyAndFetchRefused(page.View());
  page.LoadHTMLFile(refresh_);
  WaitForTheRefresh(page.View());
  EXPECT_EQ(connections_, 0);
}

}  // namespace
}  // namespace vistrel::testing
