// Vistrel: thumbnail viewer, file manager and source editor for folders of HTML files.
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

#include "app/ui/program_run.h"
#include "app/ui/vistrel_application.h"
#include "core/headless.h"

namespace {

const char kUsage[] =
    "Usage: vistrel [--help] [--version] [FILE]\n"
    "Thumbnail viewer, file manager and source editor for folders of HTML files.\n"
    "Opens on the folder of FILE with FILE selected when FILE is a page or picture it accepts\n"
    "(.htm, .html, .shtml, .asp, .jpg, .gif and the like); other files are ignored.\n"
    "\n"
    "  -h, --help     this text\n"
    "  -v, --version  the version\n";

// Answers --help and --version before any application object exists, so they need no
// display. Anything else, Qt's own options included, is left to the application and the
// start-file rule. Returns -1 when the program should start.
int AnswerInfoOptions(int argc, char** argv) {
  QStringList args{QStringLiteral("vistrel")};
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
  parser.addOption(QCommandLineOption(QStringList{QStringLiteral("v"), QStringLiteral("version")}));
  parser.parse(args);
  if (parser.isSet(QStringLiteral("help"))) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    std::fputs("vistrel " VISTREL_VERSION "\n", stdout);
    return 0;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const int code = AnswerInfoOptions(argc, argv); code >= 0) return code;
  vistrel::PrepareHeadlessEnvironment(/*forceOffscreen=*/false);
  vistrel::VistrelApplication app(argc, argv);
  vistrel::VistrelApplication::setApplicationName(QStringLiteral("Vistrel"));
  vistrel::VistrelApplication::setOrganizationName(QStringLiteral("Vistrel"));
  vistrel::VistrelApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vistrel.png")));
  return vistrel::RunProgram(app);
}
