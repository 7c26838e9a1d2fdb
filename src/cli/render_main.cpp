// vistrel-cli-render: the commands of vistrel-cli that need the browser engine. vistrel-cli
// runs it in its own place (helper_program.h); it is no program to call by hand.
#include <QApplication>
#include <iterator>

#include "core/headless.h"
#include "cli/cli_command.h"
#include "cli/helper_program.h"

namespace vistrel::cli {

namespace {

std::unique_ptr<QCoreApplication> MakeRenderApplication(int& argc, char** argv) {
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

void StartRenderApplication(bool verbose) {
  if (QCoreApplication::instance() == nullptr) {
    PrepareHeadlessEnvironment(/*forceOffscreen=*/true);
    if (!verbose) SilenceEngineDiagnostics();
  }
  StartApplicationWith(MakeRenderApplication);
}

}  // namespace vistrel::cli

int main(int argc, char** argv) {
  using namespace vistrel::cli;
  const HelperCommand commands[] = {{"thumbs", RunThumbs}, {"snapshot", RunSnapshot}};
  return HelperMain(argc, argv, commands, static_cast<int>(std::size(commands)));
}
