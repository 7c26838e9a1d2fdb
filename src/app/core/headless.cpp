#include "app/core/headless.h"

#include <QByteArray>
#include <QtGlobal>
#include <unistd.h>

namespace vistrel {

void PrepareHeadlessEnvironment(bool forceOffscreen) {
  if (forceOffscreen && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool offscreen = qgetenv("QT_QPA_PLATFORM") == "offscreen";
  if (offscreen) {
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) qputenv("QT_QUICK_BACKEND", "software");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) {
      flags += " --disable-gpu";
      qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    }
  }
  if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

}  // namespace vistrel
