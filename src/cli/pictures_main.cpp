// vistrel-cli-pictures: the commands of vistrel-cli that need Qt Gui for their pictures.
// vistrel-cli runs it in its own place (helper_program.h); it is no program to call by hand.
#include <QGuiApplication>
#include <iterator>

#include "core/headless.h"
#include "cli/cli_command.h"
#include "cli/helper_program.h"

namespace vistrel::cli {

namespace {

std::unique_ptr<QCoreApplication> MakeGuiApplication(int& argc, char** argv) {
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

void StartGuiApplication() {
  if (QCoreApplication::instance() == nullptr) PrepareHeadlessEnvironment(/*forceOffscreen=*/true);
  StartApplicationWith(MakeGuiApplication);
}

}  // namespace vistrel::cli

int main(int argc, char** argv) {
  using namespace vistrel::cli;
  const HelperCommand commands[] = {{"resample", RunResample}};
  return HelperMain(argc, argv, commands, static_cast<int>(std::size(commands)));
}
