#include "app/ui/program_run.h"

#include <QFileInfo>
#include <QTimer>

#include "app/ui/main_window.h"
#include "app/ui/qt_prompter.h"
#include "app/ui/unix_signals.h"
#include "app/ui/vistrel_application.h"
#include "app/viewer/viewer_window.h"
#include "core/program_folder.h"
#include "render/browser_profile.h"

namespace vistrel {

int RunProgram(VistrelApplication& app, const std::function<void(MainWindow&)>& started) {
  // The program ends with its main window. Windows that stay open in the background (the
  // off-screen page of the thumbnails, the help window) must not keep it running.
  app.setQuitOnLastWindowClosed(false);
  QtPrompter prompter;
  app.SetPrompter(&prompter);
  const QString executableFolder =
      QFileInfo(VistrelApplication::applicationFilePath()).absolutePath();
  const WorkingFolders folders = WorkingFolders::For(ResolveProgramFolder(executableFolder));

  // Installed before the window exists: a signal that arrives early waits in the socket.
  UnixSignals signals;
  BrowserProfile profile;
  int code = 0;
  {
    MainWindow window(folders, prompter);
    ViewerWindow viewer(window.settings(), window.state(), prompter, profile, window, &window);
    window.AttachViewer(&viewer, profile);
    prompter.SetParent(&window);
    window.SetCommandLine(app.DiskArguments().mid(1));
    QObject::connect(&signals, &UnixSignals::TerminationRequested, &window,
                     &MainWindow::CloseOrderly);
    QObject::connect(&window, &MainWindow::Closed, &app, &QCoreApplication::quit);
    window.show();
    if (started) QTimer::singleShot(0, &window, [&window, &started] { started(window); });
    code = VistrelApplication::exec();
    prompter.SetParent(nullptr);
  }  // the viewer, then the main window (which writes the settings), while the profile lives
  app.SetPrompter(nullptr);
  return code;
}

}  // namespace vistrel
