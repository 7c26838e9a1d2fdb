#include "cli/cli_command.h"

namespace vistrel::cli {

int RunSnapshot(const QStringList&) { return NotBuiltYet("snapshot"); }

}  // namespace vistrel::cli
