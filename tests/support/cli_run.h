#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

namespace vistrel::testing {

// What a run of a command-line program gave back.
struct CliRun {
  int exitCode = -1;  // -1 when it did not start or finish in time
  QByteArray out;
  QByteArray err;
};

// Runs program with args, feeding input on standard input.
inline CliRun RunProgram(const QString& program, const QStringList& args,
                         const QByteArray& input = {}) {
  QProcess process;
  process.start(program, args);
  CliRun run;
  if (!process.waitForStarted(30000)) return run;
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(60000)) return run;
  run.exitCode = process.exitCode();
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}

}  // namespace vistrel::testing
