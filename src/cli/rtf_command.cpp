#include "cli/cli_command.h"

namespace vistrel::cli {

int RunRtf(const QStringList&) { return NotBuiltYet("rtf"); }

}  // namespace vistrel::cli
