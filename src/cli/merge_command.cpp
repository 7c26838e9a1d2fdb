// vistrel-cli merge: joins stored lists into one, one entry per file.
#include "cli/cli_command.h"
#include "filelists/list_file.h"

namespace vistrel::cli {

namespace {

const char kMergeUsage[] =
    "Usage: vistrel-cli merge A.lst B.lst... -o OUT.lst\n"
    "Writes the entries of all lists to OUT.lst, sorted without regard to case, keeping one\n"
    "entry per full path (the one whose size and date sort first).\n";

}  // namespace

int RunMerge(const QStringList& args) {
  QStringList inputs;
  QString output;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& a = args.at(i);
    if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      Out() << kMergeUsage;
      return kExitOk;
    }
    if (a == QLatin1String("-o") && i + 1 < args.size() && output.isEmpty()) {
      output = args.at(++i);
    } else if (!a.startsWith(QLatin1Char('-'))) {
      inputs.append(a);
    } else {
      Err() << kMergeUsage;
      return kExitUsage;
    }
  }
  if (inputs.isEmpty() || output.isEmpty()) {
    Err() << kMergeUsage;
    return kExitUsage;
  }

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
  Out() << merged.size() << " entries written to " << output << '\n';
  return kExitOk;
}

}  // namespace vistrel::cli
