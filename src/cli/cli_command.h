#pragma once

#include <QStringList>
#include <QTextStream>

namespace vistrel::cli {

// Exit codes of every command.
enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Standard streams shared by the commands; output is written as UTF-8.
QTextStream& Out();
QTextStream& Err();

// What a command needs once its options are read: text commands a core application,
// picture commands a GUI one, rendering commands the browser engine on the offscreen platform
// (its own diagnostics silenced unless verbose).
enum class AppKind { kText, kPictures, kRender };
void StartApplication(AppKind kind, bool verbose = false);

// Reads FILE, or standard input for "-" or no file; false (message on stderr) on failure.
bool ReadInput(const QString& file, QByteArray* bytes);

// Each command takes its arguments after the command name.
int RunFormat(const QStringList& args);
int RunRtf(const QStringList& args);
int RunResample(const QStringList& args);
int RunThumbs(const QStringList& args);
int RunSnapshot(const QStringList& args);
int RunSearch(const QStringList& args);
int RunVerify(const QStringList& args);
int RunMerge(const QStringList& args);

// For commands whose engine is not part of this build yet.
int NotBuiltYet(const char* command);

}  // namespace vistrel::cli
