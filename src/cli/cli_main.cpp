// vistrel-cli: the program's engines without a window, for scripts, CI jobs and benchmarks.
#include <QApplication>
#include <QCoreApplication>
#include <QFile>

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
  stream << "Usage: vistrel-cli COMMAND [ARGS]   (COMMAND --help for details)\n\nCommands:\n";
  for (const Command& c : kCommands) stream << "  " << c.usage << "\n";
  stream << "\nExit status: 0 success, 1 failure (reported on stderr), 2 bad usage.\n";
  stream.flush();
}

}  // namespace

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

int Dispatch(const QStringList& arguments) {
  if (arguments.size() < 2 || arguments.at(1) == QLatin1String("--help") ||
      arguments.at(1) == QLatin1String("-h")) {
    PrintHelp(arguments.size() < 2 ? Err() : Out());
    return arguments.size() < 2 ? kExitUsage : kExitOk;
  }
  const QString name = arguments.at(1);
  for (const Command& c : kCommands) {
    if (name == QLatin1String(c.name)) {
      const int code = c.run(arguments.mid(2));
      Out().flush();
      Err().flush();
      return code;
    }
  }
  Err() << "vistrel-cli: unknown command '" << name << "'\n\n";
  PrintHelp(Err());
  return kExitUsage;
}

}  // namespace vistrel::cli

int main(int argc, char** argv) {
  // Qt would take options such as "--style DIR" for itself, so the commands get argv as given.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  int qtArgc = 1;
  // Only the commands that render or read pictures pay for a GUI application object (never
  // shown); the text engines start faster without one.
  const QString command = arguments.value(1);
  if (command == QLatin1String("thumbs") || command == QLatin1String("snapshot") ||
      command == QLatin1String("resample")) {
    vistrel::PrepareHeadlessEnvironment(/*forceOffscreen=*/true);
    QApplication app(qtArgc, argv);
    return vistrel::cli::Dispatch(arguments);
  }
  QCoreApplication app(qtArgc, argv);
  return vistrel::cli::Dispatch(arguments);
}
