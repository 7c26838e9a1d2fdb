#include "cli/cli_command.h"

namespace vistrel::cli {

int RunVerify(const QStringList&) { return NotBuiltYet("verify"); }

}  // namespace vistrel::cli
