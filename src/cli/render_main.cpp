// vistrel-cli-render: the commands of vistrel-cli that need the browser engine. vistrel-cli
// runs it in its own place (render_program.h); it is no program to call by hand.
#include <QApplication>
#include <cstring>

#include "core/headless.h"
#include "cli/cli_command.h"
#include "cli/render_program.h"

namespace vistrel::cli {

namespace {

struct RenderCommand {
  const char* name;
  int (*run)(const QStringList&);
};

const RenderCommand kRenderCommands[] = {{"thumbs", RunThumbs}, {"snapshot", RunSnapshot}};

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
  if (argc >= 3) {
    for (const RenderCommand& c : kRenderCommands) {
      if (std::strcmp(argv[2], c.name) != 0) continue;
      SetProgramName(argv[0]);
      SetCliFolder(QString::fromLocal8Bit(argv[1]));
      QStringList arguments;
      for (int i = 3; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
      const int code = c.run(arguments);
      Out().flush();
      Err().flush();
      EndApplication();
      return code;
    }
  }
  Err() << kRenderProgramName << ": vistrel-cli runs this for its thumbs and snapshot commands;"
        << " use vistrel-cli thumbs or vistrel-cli snapshot\n";
  Err().flush();
  return kExitUsage;
}
