#include "core/headless.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>
#include <QtGlobal>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vistrel {

namespace {

QtMessageHandler gPassOn = nullptr;

// The engine says these through the default category on every start without a GPU or
// sandbox, which is how the command-line programs always run.
void DropEngineNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const QString note = text.trimmed();  // the graphics note comes with a line break
  if (type != QtFatalMsg && (note == QLatin1String("Sandboxing disabled by user.") ||
                             note == QLatin1String("No suitable graphics backend found")))
    return;
  gPassOn(type, context, text);
}

}  // namespace

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

void SilenceEngineDiagnostics() {
  QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
  if (!gPassOn) gPassOn = qInstallMessageHandler(DropEngineNotes);
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (!flags.contains("--log-level")) {
    flags += " --log-level=3";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
  }
}

}  // namespace vistrel
