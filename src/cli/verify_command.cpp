// vistrel-cli verify: tests a stored list against the disk, as loading it on the page does.
#include "cli/cli_command.h"
#include "filelists/list_file.h"
#include "filelists/list_verify.h"

namespace vistrel::cli {

namespace {

const char kVerifyUsage[] =
    "Usage: vistrel-cli verify LIST.lst [--update]\n"
    "Prints a \"Not Found:\" line for every entry whose file is gone and an \"Updated:\" line\n"
    "for every entry whose name case, size or time changed, then the counts.\n"
    "--update rewrites the list without the vanished entries and with the changed ones.\n";

}  // namespace

int RunVerify(const QStringList& args) {
  QString listFile;
  bool update = false;
  for (const QString& a : args) {
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      Out() << kVerifyUsage;
      return kExitOk;
    }
    if (a == QLatin1String("--update")) {
      update = true;
    } else if (!a.startsWith(QLatin1String("--")) && listFile.isEmpty()) {
      listFile = a;
    } else {
      Err() << kVerifyUsage;
      return kExitUsage;
    }
  }
  if (listFile.isEmpty()) {
    Err() << kVerifyUsage;
    return kExitUsage;
  }

  QStringList lines;
  QString error;
  if (!ReadListFile(listFile, &lines, &error)) {
    Err() << "vistrel-cli: " << error << '\n';
    return kExitFailure;
  }
  std::vector<ListRow> rows;
  rows.reserve(size_t(lines.size()));
  for (const QString& line : lines) rows.push_back(SplitListEntry(line));
  const VerifyOutcome outcome = VerifyRows(rows);
  for (const QString& line : outcome.report) Out() << line << '\n';
  Out() << outcome.total << " entries, " << outcome.notFound << " not found, " << outcome.updated
        << " updated\n";

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
