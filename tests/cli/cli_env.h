#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <utility>

#include "cli_run.h"

namespace vistrel::testing {

// The environment of a shell with no display at all: no X server, no Wayland, no platform
// chosen, and a program folder of the test's own.
inline QProcessEnvironment NoDisplayEnvironment(const QString& home) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    environment.remove(QLatin1String(name));
  environment.insert(QStringLiteral("VISTREL_HOME"), home);
  return environment;
}

// extra: variables set on top, as {name, value}.
inline CliRun RunWithoutDisplay(const QString& program, const QStringList& args,
                                const QString& home,
                                const QList<std::pair<QString, QString>>& extra = {}) {
  QProcess process;
  QProcessEnvironment environment = NoDisplayEnvironment(home);
  for (const auto& [name, value] : extra) environment.insert(name, value);
  process.setProcessEnvironment(environment);
  process.start(program, args);
  CliRun run;
  if (!process.waitForStarted(30000)) return run;
  process.closeWriteChannel();
  if (!process.waitForFinished(120000)) return run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

inline CliRun RunCli(const QStringList& args, const QString& home) {
  return RunWithoutDisplay(QStringLiteral(VISTREL_CLI), args, home);
}

}  // namespace vistrel::testing
