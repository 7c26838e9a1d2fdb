// vistrel-cli search: the File Lists page's search without a window.
#include <QCoreApplication>

#include "core/program_folder.h"
#include "cli/cli_command.h"
#include "filelists/file_search.h"

namespace vistrel::cli {

namespace {

const char kSearchUsage[] =
    "Usage: vistrel-cli search [--mask PATTERNS] [--no-subfolders] FOLDER\n"
    "Prints the list entries (folder*name*.ext*size*date) of the files below FOLDER whose\n"
    "extension fits PATTERNS (default \"*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht\").\n"
    "Hidden entries, \"_vti_cnf\" folders and the thumbnail store's subfolders are left out.\n";

const char kDefaultMask[] = "*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht";

}  // namespace

int RunSearch(const QStringList& args) {
  QString mask = QString::fromLatin1(kDefaultMask);
  QString folder;
  bool subfolders = true;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args.at(i);
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      Out() << kSearchUsage;
      return kExitOk;
    }
    if (a == QLatin1String("--mask") && i + 1 < args.size()) {
      mask = args.at(++i);
    } else if (a == QLatin1String("--no-subfolders")) {
      subfolders = false;
    } else if (!a.startsWith(QLatin1String("--")) && folder.isEmpty()) {
      folder = a;
    } else {
      Err() << kSearchUsage;
      return kExitUsage;
    }
  }
  if (folder.isEmpty()) {
    Err() << kSearchUsage;
    return kExitUsage;
  }

  QStringList entries;
  SearchOutcome outcome;
  if (subfolders) {
    SearchRequest request;
    request.folder = folder;
    request.patternList = mask;
    request.thumbFolder =
        WorkingFolders::For(ResolveProgramFolder(QCoreApplication::applicationDirPath())).thumbs;
    outcome = SearchFolderTree(request, entries);
  } else {
    outcome = SearchFolder(entries, folder, mask);
  }
  for (const QString& entry : entries) Out() << entry << '\n';
  if (outcome.leftOut > 0)
    Err()
        << "vistrel-cli: " << outcome.leftOut
        << " name(s) left out: they hold \"*\", a line break or bytes that are not a valid name\n";
  return kExitOk;
}

}  // namespace vistrel::cli
