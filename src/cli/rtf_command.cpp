#include "core/text_file.h"
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "editor/coloured_rtf.h"
#include "settings/program_settings.h"

#include <cstdio>

namespace vistrel::cli {

namespace {
const char* const kRtfUsage =
    "Usage: vistrel-cli rtf [FILE]\n"
    "Writes the syntax-coloured RTF of FILE (standard input for - or no FILE) to standard\n"
    "output, in the standard colours. Characters above 127 are written as the file's bytes.\n";
}

int RunRtf(const QStringList& args) {
  CommandOptions options("rtf", kRtfUsage);
  if (const int code = options.Parse(args); code != CommandOptions::kRun) return code;
  if (options.Positional().size() > 1)
    return options.UsageError(QStringLiteral("only one FILE, please"));
  StartCoreApplication();
  const QStringList files = options.Positional();
  QByteArray bytes;
  if (!ReadInput(files.value(0), &bytes)) return kExitFailure;
  const DecodedText decoded = DecodeText(bytes);
  const QByteArray rtf = BuildColouredRtf(decoded.text, ColourScheme(), decoded.encoding);
  // Raw bytes: the text stream would re-encode them.
  Out().flush();
  if (std::fwrite(rtf.constData(), 1, static_cast<size_t>(rtf.size()), stdout) !=
          static_cast<size_t>(rtf.size()) ||
      std::fflush(stdout) != 0) {
    Err() << "vistrel-cli: cannot write the RTF to standard output\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace vistrel::cli
