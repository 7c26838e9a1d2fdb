#include "cli/cli_command.h"

namespace vistrel::cli {

int RunFormat(const QStringList&) { return NotBuiltYet("format"); }

}  // namespace vistrel::cli
