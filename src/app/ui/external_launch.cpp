#include "app/ui/external_launch.h"

#include <QProcess>

#include "settings/program_settings.h"

namespace vistrel {

LaunchCommand BuildLaunchCommand(const ExternalApplication& application, const QString& file) {
  LaunchCommand command;
  command.program = application.Location;
  command.arguments = QProcess::splitCommand(application.Param);
  command.arguments << file;
  return command;
}

bool LaunchExternal(const ExternalApplication& application, const QString& file) {
  const LaunchCommand command = BuildLaunchCommand(application, file);
  return QProcess::startDetached(command.program, command.arguments);
}

}  // namespace vistrel
