// vistrel-cli verify: tests a stored list against the disk, as loading it on the page does.
#include "cli/cli_command.h"
#include "cli/cli_streams.h"
#include "cli/command_options.h"
#include "cli/json_lines.h"
#include "cli/progress_line.h"
#include "filelists/list_file.h"
#include "filelists/list_verify.h"

namespace vistrel::cli {

namespace {

const char kVerifyUsage[] =
    "Usage: vistrel-cli verify LIST.lst [--update] [--json] [--quiet]\n"
    "Prints a \"Not Found:\" line for every entry whose file is gone and an \"Updated:\" line\n"
    "for every entry whose name case, size or time changed, then the counts.\n"
    "--update rewrites the list without the vanished entries and with the changed ones.\n"
    "An entry whose file cannot be looked at (no permission) is kept and named on stderr.\n"
    "\n"
    "  --json     instead of the report, one JSON object per entry and line: path, size,\n"
    "             time, state (\"ok\", \"updated\" or \"not found\"; the stored size and\n"
    "             time for an entry not found, the ones on disk otherwise); a name that\n"
    "             is not UTF-8 also gets path_bytes, the bytes of its path in base64\n"
    "  --quiet    no progress line (shown only when standard error is a terminal)\n";

}  // namespace

int RunVerify(const QStringList& args) {
  CommandOptions options("verify", kVerifyUsage);
  options.Add(QStringLiteral("update"));
  options.AddEntryReportOptions();
  QString listFile;
  if (const int code = options.ParseWithOne(args, "LIST.lst", &listFile);
      code != CommandOptions::kRun)
    return code;
  const bool update = options.Has(QStringLiteral("update"));
  const bool json = options.Has(QStringLiteral("json"));
  StartCoreApplication();

  QStringList lines;
  QString error;
  if (!ReadListFile(listFile, &lines, &error)) {
    Err() << "vistrel-cli: " << error << '\n';
    return kExitFailure;
  }
  // Row by row, so the progress line can name each file and --json can tell each state.
  std::vector<ListRow> rows;
  rows.reserve(size_t(lines.size()));
  VerifyOutcome outcome;
  ProgressLine progress(options.Has(QStringLiteral("quiet")));
  for (const QString& line : lines) {
    std::vector<ListRow> one{SplitListEntry(line)};
    const ListRow stored = one.front();
    progress.Show(outcome.total, int(lines.size()), FullPathOfRow(stored));
    const VerifyOutcome step = VerifyRows(one);
    outcome.total += step.total;
    outcome.notFound += step.notFound;
    outcome.updated += step.updated;
    outcome.report += step.report;
    outcome.unreadable += step.unreadable;
    if (json) {
      progress.Clear();
      Out() << EntryJsonLine(one.empty() ? stored : one.front(), step.notFound > 0  ? "not found"
                                                                 : step.updated > 0 ? "updated"
                                                                                    : "ok");
    }
    if (!one.empty()) rows.push_back(std::move(one.front()));
  }
  progress.Clear();
  for (const QString& problem : outcome.unreadable)
    Err() << "vistrel-cli: cannot check, kept as it is: " << problem << '\n';
  if (!json) {
    for (const QString& line : outcome.report) WritePathLine(line);
    Out() << outcome.total << " entries, " << outcome.notFound << " not found, " << outcome.updated
          << " updated\n";
  }

  if (update && (outcome.notFound > 0 || outcome.updated > 0)) {
    QStringList kept;
    kept.reserve(qsizetype(rows.size()));
    for (const ListRow& row : rows) kept.append(JoinListRow(row));
    if (!WriteListFile(listFile, kept, &error)) {
      Err() << "vistrel-cli: " << error << '\n';
      return kExitFailure;
    }
  }
  return kExitOk;
}

}  // namespace vistrel::cli
