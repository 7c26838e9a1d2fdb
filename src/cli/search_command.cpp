#include "cli/cli_command.h"

namespace vistrel::cli {

int RunSearch(const QStringList&) { return NotBuiltYet("search"); }

}  // namespace vistrel::cli
