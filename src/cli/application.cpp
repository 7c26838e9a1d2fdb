#include "cli/application.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "core/headless.h"

namespace vistrel::cli {

namespace {

int gArgc = 1;
char* gArgv[] = {nullptr, nullptr};
std::unique_ptr<QCoreApplication> gApplication;
QString gCliFolder;

template <typename Application>
std::unique_ptr<QCoreApplication> Make(int& argc, char** argv) {
  return std::make_unique<Application>(argc, argv);
}

}  // namespace

void SetProgramName(char* name) { gArgv[0] = name; }

void StartApplicationWith(ApplicationMaker make) {
  if (!gApplication) gApplication = make(gArgc, gArgv);
}

void EndApplication() { gApplication.reset(); }

void StartApplication(AppKind kind) {
  if (kind == AppKind::kText) {
    StartApplicationWith(Make<QCoreApplication>);
    return;
  }
  if (!gApplication) PrepareHeadlessEnvironment(/*forceOffscreen=*/true);
  StartApplicationWith(Make<QGuiApplication>);
}

QString CliFolder() {
  return gCliFolder.isEmpty() ? QCoreApplication::applicationDirPath() : gCliFolder;
}

void SetCliFolder(const QString& folder) { gCliFolder = folder; }

}  // namespace vistrel::cli
