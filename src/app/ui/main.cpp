// Vistrel: thumbnail viewer, file manager and source editor for folders of HTML files.
#include <QFileInfo>
#include <QIcon>

#include "core/headless.h"
#include "core/program_folder.h"
#include "app/ui/main_window.h"
#include "app/ui/qt_prompter.h"
#include "app/ui/unix_signals.h"
#include "app/ui/vistrel_application.h"
#include "app/viewer/viewer_window.h"
#include "render/browser_profile.h"

int main(int argc, char** argv) {
  vistrel::PrepareHeadlessEnvironment(/*forceOffscreen=*/false);
  vistrel::VistrelApplication app(argc, argv);
  vistrel::VistrelApplication::setApplicationName(QStringLiteral("Vistrel"));
  vistrel::VistrelApplication::setOrganizationName(QStringLiteral("Vistrel"));
  vistrel::VistrelApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vistrel.png")));

  vistrel::QtPrompter prompter;
  app.SetPrompter(&prompter);
  const QString executableFolder =
      QFileInfo(vistrel::VistrelApplication::applicationFilePath()).absolutePath();
  const vistrel::WorkingFolders folders =
      vistrel::WorkingFolders::For(vistrel::ResolveProgramFolder(executableFolder));

  // Installed before the window exists: a signal that arrives early waits in the socket.
  vistrel::UnixSignals signals;
  vistrel::BrowserProfile profile;
  vistrel::MainWindow window(folders, prompter);
  vistrel::ViewerWindow viewer(window.settings(), window.state(), prompter, profile, window,
                               &window);
  window.AttachViewer(&viewer, profile);
  prompter.SetParent(&window);
  window.SetCommandLine(vistrel::VistrelApplication::arguments().mid(1));
  QObject::connect(&signals, &vistrel::UnixSignals::TerminationRequested, &window,
                   &vistrel::MainWindow::CloseOrderly);
  window.show();
  return app.exec();
}
