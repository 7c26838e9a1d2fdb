// vistrel-cli: the program's engines without a window, for scripts, CI jobs and benchmarks.
#include "cli/application.h"
#include "cli/dispatch.h"
#include "core/disk_name.h"

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << vistrel::NameFromDisk(argv[i]);
  vistrel::cli::SetProgramName(argv[0]);
  const int code = vistrel::cli::Dispatch(arguments, argv);
  vistrel::cli::EndApplication();
  return code;
}
