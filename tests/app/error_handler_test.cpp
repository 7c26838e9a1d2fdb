// The general error handler needs the program's own application object, so this binary
// brings its own entry point.
#include <gtest/gtest.h>

#include <QEvent>
#include <QTimer>

#include "core/vistrel_error.h"
#include "app/ui/vistrel_application.h"
#include "scripted_prompter.h"

namespace vistrel {
namespace {

VistrelApplication* g_app = nullptr;

class Thrower : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw VistrelError(QStringLiteral("Can't locate file: /x.htm"));
    if (e->type() == QEvent::User + 1) throw std::runtime_error("codec failure");
    return QObject::event(e);
  }
};

TEST(GeneralErrorHandler, EscapedErrorsAreShownAndTheProgramCarriesOn) {
  testing::ScriptedPrompter prompter;
  g_app->SetPrompter(&prompter);
  Thrower thrower;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&thrower, new QEvent(static_cast<QEvent::Type>(QEvent::User + 1)));
  QCoreApplication::processEvents();
  EXPECT_EQ(prompter.TakeTexts(), (QStringList{QStringLiteral("Can't locate file: /x.htm"),
                                               QStringLiteral("codec failure")}));
  // The event loop still runs afterwards.
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  QCoreApplication::processEvents();
  EXPECT_TRUE(ran);
  g_app->SetPrompter(nullptr);
}

}  // namespace
}  // namespace vistrel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  vistrel::VistrelApplication app(argc, argv);
  vistrel::g_app = &app;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
