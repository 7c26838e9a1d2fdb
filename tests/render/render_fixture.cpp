#include "render_fixture.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include "render/browser_view.h"
#include "render/paint_wait.h"

namespace vistrel::testing {

std::unique_ptr<BrowserProfile> RenderTest::profile_;

void RenderTest::SetUpTestSuite() { profile_ = std::make_unique<BrowserProfile>(); }

void RenderTest::TearDownTestSuite() { profile_.reset(); }

void RenderTest::LoadAndWait(BrowserView& view, const QString& file) {
  ASSERT_TRUE(WaitUntilPainted(view, true, 15000, [&] { view.LoadFile(file); }))
      << file.toStdString();
}

QVariant RenderTest::Evaluate(BrowserView& view, const QString& code) {
  QVariant result;
  bool answered = false;
  QEventLoop loop;
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  view.RunJavaScript(code, [&](const QVariant& value) {
    result = value;
    answered = true;
    loop.quit();
  });
  if (!answered) loop.exec();
  EXPECT_TRUE(answered) << code.toStdString();
  return result;
}

void RenderTest::ClickElement(BrowserView& view, const QString& id) {
  const QVariantList centre =
      Evaluate(view,
               QStringLiteral(
                   "(() => { const r = document.getElementById('%1')"
                   ".getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()")
                   .arg(id))
          .toList();
  ASSERT_EQ(centre.size(), 2) << id.toStdString();
  QWidget* target = &view;  // the engine's input widget sits at the end of the focus chain
  while (target->focusProxy()) target = target->focusProxy();
  const QPoint point(qRound(centre[0].toDouble()), qRound(centre[1].toDouble()));
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point);
}

QByteArray ColouredPage(const char* colour) {
  return QByteArray("<html><head><style>html, body { margin: 0; background: ") + colour +
         "; }</style></head><body><p>page</p></body></html>";
}

}  // namespace vistrel::testing
