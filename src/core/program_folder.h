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

// The file beside the executable that marks a build tree or a portable install.
extern const char* const kPortableMarker;

// $VISTREL_HOME when set; else the executable's folder when the portable marker lies beside
// it; else the per-user data folder ($XDG_DATA_HOME/vistrel/). An installed program thus never
// writes into its prefix, not even when root runs it.
QString ResolveProgramFolder(const QString& executableFolder);

// Where the default style, help pages and tag hints come from: share/vistrel/ of the prefix
// the executable lies in, so a moved prefix works; else the copies built into the program.
// Ends with "/".
QString DefaultResourceFolder(const QString& executableFolder);

// Creates the thumbnail and list folders (with parents) and copies the default style, help
// pages and tag hints into the program folder where they are missing; never overwrites.
// Failures are silent: they show later, when a thumbnail or list cannot be saved. The first
// form takes the defaults of the running executable.
void PrepareWorkingFolders(const WorkingFolders& folders);
void PrepareWorkingFolders(const WorkingFolders& folders, const QString& defaultsFolder);

// Whether the thumbnail folder occurs in path (upper case, one trailing "/").
bool IsInThumbFolder(const QString& path, const QString& thumbFolder);

// Last modification of the entry at path in nanoseconds; 0 when there is none.
qint64 FileStamp(const QString& path);

}  // namespace vistrel
