#include "cli/render_program.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/cli_command.h"

namespace vistrel::cli {

const char* const kRenderProgramName = "vistrel-cli-render";

namespace {

// The folder of this executable itself (not of a symbolic link that led to it), without a
// trailing "/"; empty when the system does not say.
std::string OwnFolder() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  std::string own(path, static_cast<size_t>(length));
  return own.substr(0, own.rfind('/'));
}

}  // namespace

int RunRenderProgram(char** argv) {
  const std::string folder = OwnFolder();
  // Beside vistrel-cli in the build tree; in an installed prefix, where the install put it
  // relative to the programs' folder, so that a moved prefix still finds it.
  std::string program;
  for (const std::string& candidate :
       {folder + '/' + kRenderProgramName,
        folder + "/" VISTREL_RENDER_FROM_BIN "/" + kRenderProgramName}) {
    if (::access(candidate.c_str(), X_OK) == 0) {
      program = candidate;
      break;
    }
  }
  const QString command = QString::fromLocal8Bit(argv[1]);
  if (folder.empty() || program.empty()) {
    Err() << "vistrel-cli " << command << ": " << kRenderProgramName
          << " was not found beside vistrel-cli nor in "
          << QString::fromStdString(folder + "/" VISTREL_RENDER_FROM_BIN) << "\n";
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

}  // namespace vistrel::cli
