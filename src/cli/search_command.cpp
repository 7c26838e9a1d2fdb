// vistrel-cli search: the File Lists page's search without a window.

#include "cli/cli_command.h"
#include "cli/cli_streams.h"
#include "cli/command_options.h"
#include "cli/json_lines.h"
#include "cli/progress_line.h"
#include "core/disk_name.h"
#include "core/program_folder.h"
#include "filelists/file_search.h"
#include "filelists/list_entry.h"

namespace vistrel::cli {

namespace {

const char kSearchUsage[] =
    "Usage: vistrel-cli search [--mask PATTERNS] [--no-subfolders] [--json] [--quiet] FOLDER\n"
    "Prints the list entries (folder*name*.ext*size*date) of the files below FOLDER whose\n"
    "extension fits PATTERNS (default \"*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht\").\n"
    "Hidden entries, \"_vti_cnf\" folders and the thumbnail store's subfolders are left out.\n"
    "Names are written as their bytes; a name a list entry cannot hold (\"*\" or a line\n"
    "break) is left out and named on standard error.\n"
    "\n"
    "  --json     one JSON object per entry and line: path, size, time, state (\"found\");\n"
    "             a name that is not UTF-8 also gets path_bytes, the bytes of its path\n"
    "             in base64\n"
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
  if (folder.isEmpty()) return options.UsageError(QStringLiteral("FOLDER is empty"));
  const QString mask = options.Has(QStringLiteral("mask")) ? options.Value(QStringLiteral("mask"))
                                                           : QString::fromLatin1(kDefaultMask);
  StartCoreApplication();

  const bool json = options.Has(QStringLiteral("json"));
  QStringList entries;
  SearchOutcome outcome;
  ProgressLine progress(options.Has(QStringLiteral("quiet")));
  // Without --json the lines go out as the bytes the walk made them from, a block at a time,
  // once the walk is over.
  const LineBlocks write = [&progress](const QByteArray& block) {
    progress.Clear();
    WriteOutBytes(block);
  };
  if (!options.Has(QStringLiteral("no-subfolders"))) {
    SearchRequest request;
    request.folder = folder;
    request.patternList = mask;
    request.thumbFolder = WorkingFolders::For(ResolveProgramFolder(CliFolder())).thumbs;
    request.progress = [&progress](qsizetype hits, const QString& reading) {
      progress.Show(int(hits), 0, PrintableName(reading));
    };
    outcome = json ? SearchFolderTree(request, entries) : SearchFolderTreeLines(request, write);
    progress.Clear();
  } else {
    outcome = json ? SearchFolder(entries, folder, mask) : SearchFolderLines(write, folder, mask);
  }
  for (const QString& entry : entries) Out() << EntryJsonLine(SplitListEntry(entry), "found");
  for (const QString& name : outcome.leftOut)
    Err() << "vistrel-cli: left out, a list entry cannot hold \"*\" or a line break: " << name
          << '\n';
  return kExitOk;
}

}  // namespace vistrel::cli
