#include "cli/command_options.h"

#include "cli/cli_command.h"

namespace vistrel::cli {

CommandOptions::CommandOptions(const char* command, const char* usage)
    : command_(QString::fromLatin1(command)), usage_(usage) {
  // "-o OUT" and "--width W" as written; "-abc" is no bundle of short options here.
  parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  Add(QStringLiteral("help"), {}, QStringLiteral("h"));
}

void CommandOptions::Add(const QString& name, const QString& valueName, const QString& shortName) {
  QStringList names;
  if (!shortName.isEmpty()) names << shortName;
  names << name;
  parser_.addOption(QCommandLineOption(names, QString(), valueName));
}

void CommandOptions::AddQuiet() { Add(QStringLiteral("quiet"), {}, QStringLiteral("q")); }
void CommandOptions::AddVerbose() { Add(QStringLiteral("verbose")); }

void CommandOptions::AddEntryReportOptions() {
  Add(QStringLiteral("json"));
  AddQuiet();
}

int CommandOptions::Parse(const QStringList& args) {
  const bool parsed = parser_.parse(QStringList{QStringLiteral("vistrel-cli")} + args);
  if (parser_.isSet(QStringLiteral("help"))) {
    Out() << usage_;
    Out().flush();
    return kExitOk;
  }
  if (!parsed) return UsageError(parser_.errorText());
  // Given twice, an option would silently take its first value: refuse instead.
  for (const QString& name : parser_.optionNames()) {
    if (parser_.values(name).size() > 1) return UsageError(name + QStringLiteral(" given twice"));
  }
  return kRun;
}

int CommandOptions::ParseWithOne(const QStringList& args, const char* name, QString* argument) {
  if (const int code = Parse(args); code != kRun) return code;
  if (Positional().size() != 1)
    return UsageError(QStringLiteral("expected one ") + QLatin1String(name));
  *argument = Positional().constFirst();
  return kRun;
}

int CommandOptions::UsageError(const QString& text) const {
  Err() << "vistrel-cli " << command_ << ": " << text << "\n" << usage_;
  Err().flush();
  return kExitUsage;
}

}  // namespace vistrel::cli
