#pragma once

#include <QStringList>

namespace vistrel::cli {

// vistrel-cli itself links Qt Core only, so that its text and list commands start at once.
// The commands that need more run in helper programs: resample (Qt Gui) in
// vistrel-cli-pictures, thumbs and snapshot (the browser engine) in vistrel-cli-render.
// vistrel-cli replaces itself with the helper, which passes the standard streams and the exit
// status through unchanged. A helper is run as
//   HELPER CLI_FOLDER COMMAND ARGS...
// where CLI_FOLDER is the folder vistrel-cli lies in.
inline constexpr char kPicturesProgram[] = "vistrel-cli-pictures";
inline constexpr char kRenderProgram[] = "vistrel-cli-render";

// In vistrel-cli: runs helper for vistrel-cli's argv (argv[1] is the command); returns only
// when that fails, with the exit status after a message on standard error.
int RunHelperProgram(const char* helper, char** argv);

// In a helper: runs the command argv names with the rest of argv.
struct HelperCommand {
  const char* name;
  int (*run)(const QStringList& args);
};
int HelperMain(int argc, char** argv, const HelperCommand* commands, int count);

// The application object of each helper: a GUI one for pictures, and one the browser engine
// can run in, with the engine's own diagnostics silenced unless verbose. Both use the
// offscreen platform unless another one was asked for.
void StartGuiApplication();
void StartRenderApplication(bool verbose);

}  // namespace vistrel::cli
