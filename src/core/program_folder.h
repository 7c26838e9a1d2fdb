#pragma once

#include <QString>

namespace vistrel {

// Where the program keeps everything: settings, thumbnails, lists, styles and help.
// Every folder path ends with exactly one "/".
struct WorkingFolders {
  QString program;
  QString styles;       // program + "STYLES/"
  QString thumbs;       // program + "THUMBS/"
  QString lists;        // program + "FILELISTS/"
  QString snapshots;    // program + "SNAPSHOTS/"
  QString helpPage;     // program + "HELP/index.htm"
  QString tagHintFile;  // program + "tagsyntax.txt"
  QString iniFile;      // program + "prg.ini"

  static WorkingFolders For(const QString& programFolder);
};

// $VISTREL_HOME when set; else the executable's folder when it is writable (a build tree or a
// portable install); else the per-user data folder (~/.local/share/vistrel/).
QString ResolveProgramFolder(const QString& executableFolder);

// Creates the thumbnail and list folders (with parents) and copies the default style, help
// pages and tag hints into the program folder where they are missing; never overwrites.
// Failures are silent: they show later, when a thumbnail or list cannot be saved.
void PrepareWorkingFolders(const WorkingFolders& folders);

// Whether the thumbnail folder occurs in path (upper case, one trailing "/").
bool IsInThumbFolder(const QString& path, const QString& thumbFolder);

// Last modification of the entry at path in nanoseconds; 0 when there is none.
qint64 FileStamp(const QString& path);

}  // namespace vistrel
