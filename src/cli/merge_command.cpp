#include "cli/cli_command.h"

namespace vistrel::cli {

int RunMerge(const QStringList&) { return NotBuiltYet("merge"); }

}  // namespace vistrel::cli
