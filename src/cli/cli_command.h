#pragma once

#include <QStringList>
#include <QTextStream>

#include "cli/application.h"

namespace vistrel::cli {

// Exit codes of every command.
enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Standard streams shared by the commands; output is written as UTF-8.
QTextStream& Out();
QTextStream& Err();

// Reads FILE, or standard input for "-" or no file; false (message on stderr) on failure.
bool ReadInput(const QString& file, QByteArray* bytes);

// Each command takes its arguments after the command name. resample, thumbs and snapshot run
// in helper programs (helper_program.h); the others in vistrel-cli itself.
int RunFormat(const QStringList& args);
int RunRtf(const QStringList& args);
int RunResample(const QStringList& args);
int RunThumbs(const QStringList& args);
int RunSnapshot(const QStringList& args);
int RunSearch(const QStringList& args);
int RunVerify(const QStringList& args);
int RunMerge(const QStringList& args);

}  // namespace vistrel::cli
