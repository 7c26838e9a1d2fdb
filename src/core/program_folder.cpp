#include "core/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/text_file.h"
#include "core/text_paths.h"

namespace vistrel {

WorkingFolders WorkingFolders::For(const QString& programFolder) {
  WorkingFolders f;
  f.program = IncludeTrailingSeparator(programFolder);
  f.styles = f.program + QStringLiteral("STYLES/");
  f.thumbs = f.program + QStringLiteral("THUMBS/");
  f.lists = f.program + QStringLiteral("FILELISTS/");
  f.snapshots = f.program + QStringLiteral("SNAPSHOTS/");
  f.helpPage = f.program + QStringLiteral("HELP/index.htm");
  f.tagHintFile = f.program + QStringLiteral("tagsyntax.txt");
  f.iniFile = f.program + QStringLiteral("prg.ini");
  return f;
}

const char* const kPortableMarker = "vistrel.portable";

QString ResolveProgramFolder(const QString& executableFolder) {
  const QString home = qEnvironmentVariable("VISTREL_HOME");
  if (!home.isEmpty()) return IncludeTrailingSeparator(QDir(home).absolutePath());
  if (!executableFolder.isEmpty() &&
      QFileInfo(QDir(executableFolder).filePath(QLatin1String(kPortableMarker))).isFile())
    return IncludeTrailingSeparator(QFileInfo(executableFolder).absoluteFilePath());
  QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
  return IncludeTrailingSeparator(data + QStringLiteral("/vistrel"));
}

QString DefaultResourceFolder(const QString& executableFolder) {
  if (!executableFolder.isEmpty()) {
    const QString installed =
        QDir::cleanPath(executableFolder + QStringLiteral("/../share/vistrel"));
    if (QFileInfo(installed + QStringLiteral("/STYLES")).isDir())
      return IncludeTrailingSeparator(installed);
  }
  return QStringLiteral(":/defaults/");
}

void PrepareWorkingFolders(const WorkingFolders& folders) {
  PrepareWorkingFolders(folders, DefaultResourceFolder(QCoreApplication::applicationDirPath()));
}

void PrepareWorkingFolders(const WorkingFolders& folders, const QString& defaultsFolder) {
  QDir().mkpath(folders.program);
  QDir().mkpath(folders.thumbs);
  QDir().mkpath(folders.lists);
  const QString root = IncludeTrailingSeparator(defaultsFolder);
  QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target = folders.program + source.mid(root.size());
    if (QFileInfo::exists(target)) continue;
    QDir().mkpath(QFileInfo(target).absolutePath());
    // Through the atomic writer: an interrupted first start leaves no half style file.
    QByteArray bytes;
    if (ReadWholeFile(source, &bytes) && WriteFileAtomically(target, bytes))
      QFile::setPermissions(
          target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  }
}

bool IsInThumbFolder(const QString& path, const QString& thumbFolder) {
  return IncludeTrailingSeparator(path).toUpper().contains(thumbFolder.toUpper());
}

qint64 FileStamp(const QString& path) {
  DirectoryEntry entry;
  return FileExistsAny(path, &entry) ? entry.stampNs : 0;
}

}  // namespace vistrel
