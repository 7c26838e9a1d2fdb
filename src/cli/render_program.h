#pragma once

namespace vistrel::cli {

// The commands that render (thumbs, snapshot) live in a program of their own, so that the
// others start without loading the browser engine. vistrel-cli replaces itself with it, which
// passes the standard streams and the exit status through unchanged. It is run as
//   vistrel-cli-render CLI_FOLDER COMMAND ARGS...
// where CLI_FOLDER is the folder vistrel-cli lies in.
extern const char* const kRenderProgramName;

// Runs the render program for vistrel-cli's argv (argv[1] is the command); returns only when
// that fails, with the exit status after a message on standard error.
int RunRenderProgram(char** argv);

// In the render program: the application object the browser engine needs, on the offscreen
// platform unless another one was asked for, with the engine's own diagnostics silenced
// unless verbose.
void StartRenderApplication(bool verbose);

}  // namespace vistrel::cli
