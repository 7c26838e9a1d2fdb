#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <ostream>

#include "save_writers.h"

// Writer names in test names and messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace vistrel::safety {

// What a run of the helper gave back.
struct WriterRun {
  int exitCode = -1;  // -1 when it did not finish
  QString err;
};

// Starts the helper for one write and returns once it printed "ready" (false if it never
// did); the caller then waits for it or kills it.
bool StartWriter(QProcess& process, const SaveWriter& writer, const QString& folder, int generation,
                 const QString& scratch, const QStringList& extra = {});
WriterRun FinishWriter(QProcess& process);
WriterRun RunWriter(const SaveWriter& writer, const QString& folder, int generation,
                    const QString& scratch, const QStringList& extra = {});

QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);
// Every name in the folder, hidden ones included.
QStringList Entries(const QString& folder);
QString FolderOf(const QString& path);
// When the tests run as root, the tree goes to the unprivileged user the helper drops to,
// so that permission bits mean something.
void GiveToHelperUser(const QString& root);

}  // namespace vistrel::safety
