#include "app/ui/external_launch.h"

#include <spawn.h>
#include <sys/wait.h>

#include <QProcess>
#include <thread>
#include <vector>

#include "core/disk_name.h"
#include "settings/program_settings.h"

extern char** environ;

namespace vistrel {

LaunchCommand BuildLaunchCommand(const ExternalApplication& application, const QString& file) {
  LaunchCommand command;
  command.program = application.Location;
  command.arguments = QProcess::splitCommand(application.Param);
  command.arguments << file;
  return command;
}

bool LaunchExternal(const ExternalApplication& application, const QString& file) {
  // Started by bytes: QProcess would pass a name that is not UTF-8 through the locale and
  // hand the application another file.
  const LaunchCommand command = BuildLaunchCommand(application, file);
  std::vector<QByteArray> bytes{NameToDisk(command.program)};
  bytes.reserve(size_t(command.arguments.size()) + 1);
  for (const QString& argument : command.arguments) bytes.push_back(NameToDisk(argument));
  std::vector<char*> argv;
  argv.reserve(bytes.size() + 1);
  for (QByteArray& argument : bytes) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);  // outlives the program
  pid_t child = 0;
  const int failed = posix_spawnp(&child, argv[0], nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) return false;
  // Nobody else waits for it; without this it would stay a zombie until the program ends.
  std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
  return true;
}

}  // namespace vistrel
