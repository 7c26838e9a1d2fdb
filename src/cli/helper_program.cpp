#include "cli/helper_program.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/cli_command.h"
#include "core/disk_name.h"

namespace vistrel::cli {

namespace {

// The folder of this executable itself (not of a symbolic link that led to it), without a
// trailing "/"; empty when the system does not say.
std::string OwnFolder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  const std::string own(path, static_cast<size_t>(length));
  return own.substr(0, own.rfind('/'));
}

}  // namespace

int RunHelperProgram(const char* helper, char** argv) {
  const std::string folder = OwnFolder();
  // Beside vistrel-cli in the build tree; in an installed prefix, where the install put it
  // relative to the programs' folder, so that a moved prefix still finds it.
  const std::string installed = folder + "/" VISTREL_HELPERS_FROM_BIN;
  std::string program;
  for (const std::string& candidate : {folder + '/' + helper, installed + '/' + helper}) {
    if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) {
      program = candidate;
      break;
    }
  }
  const QString command = QString::fromLocal8Bit(argv[1]);
  if (program.empty()) {
    Err() << "vistrel-cli " << command << ": " << helper
          << " was not found beside vistrel-cli nor in " << QString::fromStdString(installed)
          << "\n";
    Err().flush();
    return kExitFailure;
  }
  std::vector<char*> arguments{program.data(), const_cast<char*>(folder.c_str())};
  for (char** argument = argv + 1; *argument != nullptr; ++argument) arguments.push_back(*argument);
  arguments.push_back(nullptr);
  ::execv(program.c_str(), arguments.data());
  Err() << "vistrel-cli " << command << ": cannot run " << QString::fromStdString(program) << ": "
        << QString::fromLocal8Bit(std::strerror(errno)) << "\n";
  Err().flush();
  return kExitFailure;
}

int HelperMain(int argc, char** argv, const HelperCommand* commands, int count) {
  for (int c = 0; argc >= 3 && c < count; ++c) {
    if (std::strcmp(argv[2], commands[c].name) != 0) continue;
    SetProgramName(argv[0]);
    SetCliFolder(NameFromDisk(argv[1]));
    QStringList arguments;
    for (int i = 3; i < argc; ++i) arguments << NameFromDisk(argv[i]);
    const int code = commands[c].run(arguments);
    Out().flush();
    Err().flush();
    EndApplication();
    return code;
  }
  Err() << argv[0] << ": vistrel-cli runs this for some of its commands; run vistrel-cli\n";
  Err().flush();
  return kExitUsage;
}

}  // namespace vistrel::cli
