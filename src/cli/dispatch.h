#pragma once

#include <QStringList>

namespace vistrel::cli {

// Runs the command arguments[1] names with the rest (arguments[0] is the program). Only the
// program name and the command are read here; each command reads its own options before it
// asks for an application object. A command run by a helper program replaces this process
// with it (argv is handed on); the others return their exit code.
int Dispatch(const QStringList& arguments, char** argv);

}  // namespace vistrel::cli
