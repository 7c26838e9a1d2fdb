#pragma once

#include <QString>
#include <QStringList>

namespace vistrel {

struct ExternalApplication;

// The program and arguments an external application is started with: its parameters split
// as a shell would, then the file as one argument of its own. No shell runs, so quotes or ";"
// in a file name are harmless.
struct LaunchCommand {
  QString program;
  QStringList arguments;
};
LaunchCommand BuildLaunchCommand(const ExternalApplication& application, const QString& file);

// Starts it detached; a failure is not reported (the item stays usable).
bool LaunchExternal(const ExternalApplication& application, const QString& file);

}  // namespace vistrel
