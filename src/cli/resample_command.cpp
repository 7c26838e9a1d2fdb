#include "cli/cli_command.h"

namespace vistrel::cli {

int RunResample(const QStringList&) { return NotBuiltYet("resample"); }

}  // namespace vistrel::cli
