#include "writer_process.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace vistrel::safety {

bool StartWriter(QProcess& process, const SaveWriter& writer, const QString& folder, int generation,
                 const QString& scratch, const QStringList& extra) {
  process.start(QStringLiteral(VISTREL_SAFETY_WRITER),
                QStringList{writer.name, folder, QString::number(generation), scratch} + extra);
  if (!process.waitForStarted(30000)) return false;
  while (!process.canReadLine())
    if (!process.waitForReadyRead(60000)) return false;
  return process.readLine() == "ready\n";
}

WriterRun FinishWriter(QProcess& process) {
  WriterRun run;
  if (!process.waitForFinished(120000)) return run;
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.err = QString::fromLocal8Bit(process.readAllStandardError());
  return run;
}

WriterRun RunWriter(const SaveWriter& writer, const QString& folder, int generation,
                    const QString& scratch, const QStringList& extra) {
  QProcess process;
  if (!StartWriter(process, writer, folder, generation, scratch, extra)) return {};
  return FinishWriter(process);
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString FolderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

void GiveToHelperUser(const QString& root) {
  if (::geteuid() != 0) return;
  constexpr uid_t kNobody = 65534;
  QFile::setPermissions(root, QFile::permissions(root) | QFile::ReadOther | QFile::ExeOther);
  (void)!::lchown(QFile::encodeName(root).constData(), kNobody, kNobody);
  QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) (void)!::lchown(QFile::encodeName(it.next()).constData(), kNobody, kNobody);
}

}  // namespace vistrel::safety
