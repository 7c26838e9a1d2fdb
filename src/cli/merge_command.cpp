// vistrel-cli merge: joins stored lists into one, one entry per file.
#include "cli/cli_command.h"
#include "cli/command_options.h"
#include "core/disk_name.h"
#include "filelists/list_file.h"

namespace vistrel::cli {

namespace {

const char kMergeUsage[] =
    "Usage: vistrel-cli merge A.lst B.lst... -o OUT.lst\n"
    "Writes the entries of all lists to OUT.lst, sorted without regard to case, keeping one\n"
    "entry per full path (the one whose size and date sort first).\n";

}  // namespace

int RunMerge(const QStringList& args) {
  CommandOptions options("merge", kMergeUsage);
  options.Add(QStringLiteral("o"), QStringLiteral("OUT"));
  if (const int code = options.Parse(args); code != CommandOptions::kRun) return code;
  const QStringList inputs = options.Positional();
  const QString output = options.Value(QStringLiteral("o"));
  if (inputs.isEmpty() || output.isEmpty())
    return options.UsageError(QStringLiteral("expected A.lst B.lst... -o OUT.lst"));
  StartCoreApplication();

  QStringList merged;
  for (const QString& input : inputs) {
    QStringList lines;
    QString error;
    if (!ReadListFile(input, &lines, &error)) {
      Err() << "vistrel-cli: " << error << '\n';
      return kExitFailure;
    }
    merged += lines;
  }
  RemoveDuplicateEntries(merged);
  QString error;
  if (!WriteListFile(output, merged, &error)) {
    Err() << "vistrel-cli: " << error << '\n';
    return kExitFailure;
  }
  Out() << merged.size() << " entries written to " << PrintableName(output) << '\n';
  return kExitOk;
}

}  // namespace vistrel::cli
