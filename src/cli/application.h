#pragma once

#include <QString>
#include <memory>

class QCoreApplication;

namespace vistrel::cli {

// The application object: a command asks for one only once its options are read, so that
// --help and usage errors need neither a display nor the browser engine, and it lives to the
// end of main. It sees the program name only: Qt would take options such as "--style DIR"
// for itself.
void SetProgramName(char* name);
// make builds the object from the argument count and vector it must keep; it is called only
// when no application object exists yet.
using ApplicationMaker = std::unique_ptr<QCoreApplication> (*)(int& argc, char** argv);
void StartApplicationWith(ApplicationMaker make);
void EndApplication();
// What vistrel-cli's own commands need: a core application.
void StartCoreApplication();

// The folder vistrel-cli lies in. The program folder and the default resources are found
// from it, also by the render program, which an installed prefix keeps elsewhere. Valid once
// an application object exists.
QString CliFolder();
void SetCliFolder(const QString& folder);

}  // namespace vistrel::cli
