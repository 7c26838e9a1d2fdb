// vistrel-cli search: the File Lists page's search without a window.

#include "core/program_folder.h"
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "cli/json_lines.h"
#include "cli/progress_line.h"
#include "filelists/file_search.h"

namespace vistrel::cli {

namespace {

const char kSearchUsage[] =
    "Usage: vistrel-cli search [--mask PATTERNS] [--no-subfolders] [--json] [--quiet] FOLDER\n"
    "Prints the list entries (folder*name*.ext*size*date) of the files below FOLDER whose\n"
    "extension fits PATTERNS (default \"*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht\").\n"
    "Hidden entries, \"_vti_cnf\" folders and the thumbnail store's subfolders are left out.\n"
    "\n"
    "  --json     one JSON object per entry and line: path, size, time, state (\"found\")\n"
    "  --quiet    no progress line (shown only when standard error is a terminal)\n";

const char kDefaultMask[] = "*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht";

}  // namespace

int RunSearch(const QStringList& args) {
  CommandOptions options("search", kSearchUsage);
  options.Add(QStringLiteral("mask"), QStringLiteral("PATTERNS"));
  options.Add(QStringLiteral("no-subfolders"));
  options.AddEntryReportOptions();
  QString folder;
  if (const int code = options.ParseWithOne(args, "FOLDER", &folder); code != CommandOptions::kRun)
    return code;
  const QString mask = options.Has(QStringLiteral("mask")) ? options.Value(QStringLiteral("mask"))
                                                           : QString::fromLatin1(kDefaultMask);
  StartCoreApplication();

  QStringList entries;
  SearchOutcome outcome;
  ProgressLine progress(options.Has(QStringLiteral("quiet")));
  if (!options.Has(QStringLiteral("no-subfolders"))) {
    SearchRequest request;
    request.folder = folder;
    request.patternList = mask;
    request.thumbFolder = WorkingFolders::For(ResolveProgramFolder(CliFolder())).thumbs;
    request.processEvents = [&progress, &entries]() {
      if (!entries.isEmpty())
        progress.Show(int(entries.size()), 0, FullPathOfEntry(entries.constLast()));
    };
    outcome = SearchFolderTree(request, entries);
    progress.Clear();
  } else {
    outcome = SearchFolder(entries, folder, mask);
  }
  const bool json = options.Has(QStringLiteral("json"));
  for (const QString& entry : entries) {
    if (json)
      Out() << EntryJsonLine(SplitListEntry(entry), "found");
    else
      Out() << entry << '\n';
  }
  if (outcome.leftOut > 0)
    Err()
        << "vistrel-cli: " << outcome.leftOut
        << " name(s) left out: they hold \"*\", a line break or bytes that are not a valid name\n";
  return kExitOk;
}

}  // namespace vistrel::cli
