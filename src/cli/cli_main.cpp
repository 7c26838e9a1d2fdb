// vistrel-cli: the program's engines without a window, for scripts, CI jobs and benchmarks.
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <memory>

#include "core/headless.h"
#include "cli/cli_command.h"

namespace vistrel::cli {

namespace {

struct Command {
  const char* name;
  const char* usage;
  int (*run)(const QStringList&);
};

const Command kCommands[] = {
    {"format", "format   [--style DIR] [FILE]          formatted text to stdout (CR LF line ends)",
     RunFormat},
    {"rtf", "rtf      [FILE]                        coloured RTF of the file to stdout", RunRtf},
    {"resample",
     "resample IN OUT WIDTH HEIGHT           Lanczos3 resampling; .bmp .png .jpg by extension",
     RunResample},
    {"thumbs",
     "thumbs   [--base N] FILE...            make thumbnails in the program folder's store",
     RunThumbs},
    {"snapshot", "snapshot [options] FILE -o OUT.(jpg|bmp) render a page to a snapshot image",
     RunSnapshot},
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

// The application object lives from the first command that asks for one to the end of main.
int gArgc = 1;
char** gArgv = nullptr;
std::unique_ptr<QCoreApplication> gApplication;

}  // namespace

void StartApplication(AppKind kind, bool verbose) {
  if (gApplication) return;
  if (kind == AppKind::kText) {
    gApplication = std::make_unique<QCoreApplication>(gArgc, gArgv);
    return;
  }
  PrepareHeadlessEnvironment(/*forceOffscreen=*/true);
  if (kind == AppKind::kRender && !verbose) SilenceEngineDiagnostics();
  gApplication = std::make_unique<QApplication>(gArgc, gArgv);
}

QTextStream& Out() {
  static QFile file;
  static QTextStream stream(&file);
  if (!file.isOpen()) file.open(stdout, QIODevice::WriteOnly);
  return stream;
}

QTextStream& Err() {
  static QFile file;
  static QTextStream stream(&file);
  if (!file.isOpen()) file.open(stderr, QIODevice::WriteOnly);
  return stream;
}

bool ReadInput(const QString& file, QByteArray* bytes) {
  QFile in;
  const bool standardInput = file.isEmpty() || file == QLatin1String("-");
  const bool opened = standardInput ? in.open(stdin, QIODevice::ReadOnly)
                                    : (in.setFileName(file), in.open(QIODevice::ReadOnly));
  if (!opened) {
    Err() << "vistrel-cli: cannot read "
          << (standardInput ? QStringLiteral("standard input") : file) << ": " << in.errorString()
          << "\n";
    Err().flush();
    return false;
  }
  *bytes = in.readAll();
  return true;
}

int NotBuiltYet(const char* command) {
  Err() << "vistrel-cli: the " << command << " command is not available in this build yet\n";
  Err().flush();
  return kExitUsage;
}

// Only the program name and the command are read here; each command reads its own options
// before it asks for an application object.
int Dispatch(const QStringList& arguments) {
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

int main(int argc, char** argv) {
  // Qt would take options such as "--style DIR" for itself, so the commands get argv as given
  // and the application object sees the program name only.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  vistrel::cli::gArgv = argv;
  const int code = vistrel::cli::Dispatch(arguments);
  vistrel::cli::gApplication.reset();
  return code;
}
