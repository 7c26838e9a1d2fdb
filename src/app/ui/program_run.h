#pragma once

#include <functional>

namespace vistrel {

class MainWindow;
class VistrelApplication;

// The program from its windows' creation to its end: builds the main window and the viewer,
// runs the event loop until the main window has closed and returns the exit code. The
// settings are written when the windows are destroyed, before this returns. started (if set)
// runs once the loop is running.
int RunProgram(VistrelApplication& app, const std::function<void(MainWindow&)>& started = {});

}  // namespace vistrel
