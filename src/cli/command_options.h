#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace vistrel::cli {

// A command's options, read before any application object exists so that --help and usage
// errors need neither a display nor the browser engine.
class CommandOptions {
 public:
  // usage: the command's whole help text, ending with a line break.
  CommandOptions(const char* command, const char* usage);

  // --name, or --name VALUE when valueName is given; the short name is "-x" style.
  void Add(const QString& name, const QString& valueName = {}, const QString& shortName = {});
  // Adds --quiet (no progress line) and --verbose (the engine's own diagnostics).
  void AddQuiet();
  void AddVerbose();
  // --json and --quiet of the commands that report on many entries.
  void AddEntryReportOptions();

  // kRun when the command should go on; otherwise the exit code after the help (stdout) or a
  // usage error (stderr) was printed.
  static constexpr int kRun = -1;
  int Parse(const QStringList& args);
  // Parse for a command of exactly one argument (FOLDER, LIST.lst), given back in *argument.
  int ParseWithOne(const QStringList& args, const char* name, QString* argument);

  bool Has(const QString& name) const { return parser_.isSet(name); }
  QString Value(const QString& name) const { return parser_.value(name); }
  QStringList Positional() const { return parser_.positionalArguments(); }

  // Prints "vistrel-cli COMMAND: text" and the usage on stderr; returns the usage exit code.
  int UsageError(const QString& text) const;

 private:
  QString command_;
  const char* usage_;
  QCommandLineParser parser_;
};

}  // namespace vistrel::cli
