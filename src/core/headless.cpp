#include "core/headless.h"

#include <QByteArray>
#include <QtGlobal>
#include <cerrno>
#include <sys/stat.h>
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
  // Qt warns on every start without a runtime folder; give it a private one.
  if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
    QByteArray runtime("/tmp/runtime-");
    runtime.append(QByteArray::number(::geteuid()));
    if (::mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
      qputenv("XDG_RUNTIME_DIR", runtime);
  }
  if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

}  // namespace vistrel
