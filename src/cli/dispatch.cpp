#include "cli/dispatch.h"

#include "cli/cli_command.h"
#include "cli/helper_program.h"

namespace vistrel::cli {

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const QStringList&);  // null: helper runs it
  const char* helper = nullptr;
};

const Command kCommands[] = {
    {"format", "format   [--style DIR] [FILE]          formatted text to stdout (CR LF line ends)",
     RunFormat},
    {"rtf", "rtf      [FILE]                        coloured RTF of the file to stdout", RunRtf},
    {"resample",
     "resample IN OUT WIDTH HEIGHT           Lanczos3 resampling; .bmp .png .jpg by extension",
     nullptr, kPicturesProgram},
    {"thumbs",
     "thumbs   [--base N] FILE...            make thumbnails in the program folder's store",
     nullptr, kRenderProgram},
    {"snapshot", "snapshot [options] FILE -o OUT.(jpg|bmp) render a page to a snapshot image",
     nullptr, kRenderProgram},
    {"search", "search   [--mask PATTERNS] [--no-subfolders] FOLDER   list entries to stdout",
     RunSearch},
    {"verify",
     "verify   LIST.lst [--update]           verification report; --update rewrites the list",
     RunVerify},
    {"merge", "merge    A.lst B.lst... -o OUT.lst     merged, de-duplicated list", RunMerge},
};

void PrintHelp(QTextStream& stream) {
  stream << "Usage: vistrel-cli COMMAND [ARGS]   (COMMAND --help for details)\n"
            "       vistrel-cli --help | --version\n\nCommands:\n";
  for (const Command& c : kCommands) stream << "  " << c.usage << "\n";
  stream << "\nLong commands show a progress line when standard error is a terminal (--quiet:\n"
            "none); --json gives search and verify results as one JSON object per line.\n"
            "Exit status: 0 success, 1 failure (reported on stderr), 2 bad usage.\n";
  stream.flush();
}

}  // namespace

int Dispatch(const QStringList& arguments, char** argv) {
  const QString first = arguments.value(1);
  if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
    PrintHelp(Out());
    return kExitOk;
  }
  if (first == QLatin1String("--version")) {
    Out() << "vistrel-cli " << VISTREL_VERSION << "\n";
    Out().flush();
    return kExitOk;
  }
  if (arguments.size() < 2) {
    PrintHelp(Err());
    return kExitUsage;
  }
  for (const Command& c : kCommands) {
    if (first == QLatin1String(c.name)) {
      if (c.run == nullptr) return RunHelperProgram(c.helper, argv);
      const int code = c.run(arguments.mid(2));
      Out().flush();
      Err().flush();
      return code;
    }
  }
  Err() << "vistrel-cli: unknown command '" << first << "'\n\n";
  PrintHelp(Err());
  return kExitUsage;
}

}  // namespace vistrel::cli
