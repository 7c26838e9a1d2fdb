#include "cli/cli_command.h"

namespace vistrel::cli {

int RunThumbs(const QStringList&) { return NotBuiltYet("thumbs"); }

}  // namespace vistrel::cli
