// Vistrel: thumbnail viewer, file manager and source editor for folders of HTML files.
#include <QIcon>

#include "app/ui/program_run.h"
#include "app/ui/vistrel_application.h"
#include "core/headless.h"

int main(int argc, char** argv) {
  vistrel::PrepareHeadlessEnvironment(/*forceOffscreen=*/false);
  vistrel::VistrelApplication app(argc, argv);
  vistrel::VistrelApplication::setApplicationName(QStringLiteral("Vistrel"));
  vistrel::VistrelApplication::setOrganizationName(QStringLiteral("Vistrel"));
  vistrel::VistrelApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vistrel.png")));
  return vistrel::RunProgram(app);
}
