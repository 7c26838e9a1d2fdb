#include "cli/application.h"

#include <QCoreApplication>

namespace vistrel::cli {

namespace {

int gArgc = 1;
char* gArgv[] = {nullptr, nullptr};
std::unique_ptr<QCoreApplication> gApplication;
QString gCliFolder;

std::unique_ptr<QCoreApplication> MakeCoreApplication(int& argc, char** argv) {
  return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

void SetProgramName(char* name) { gArgv[0] = name; }

void StartApplicationWith(ApplicationMaker make) {
  // One application object per process: a host that made its own keeps it.
  if (!gApplication && !QCoreApplication::instance()) gApplication = make(gArgc, gArgv);
}

void EndApplication() { gApplication.reset(); }

void StartCoreApplication() { StartApplicationWith(MakeCoreApplication); }

QString CliFolder() {
  return gCliFolder.isEmpty() ? QCoreApplication::applicationDirPath() : gCliFolder;
}

void SetCliFolder(const QString& folder) { gCliFolder = folder; }

}  // namespace vistrel::cli
