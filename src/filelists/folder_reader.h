#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace vistrel {

// One folder of a walk once read, in the order the file system gave its entries. The hits are
// kept as bytes, one line each after the folder; subfolders to enter and names left out are
// marks between those lines.
struct FolderRead {
  struct Mark {
    enum Kind { kChild, kLeftOut } kind = kChild;
    qsizetype at = 0;  // the offset in lines where it falls
    size_t child = 0;  // index into children for kChild
    QString text;      // the printable path for kLeftOut
  };
  QString folder;  // the program's spelling, one trailing "/"
  QByteArray raw;  // the bytes on disk, one trailing "/"
  // For each hit, what follows the folder in its line ("*name*.ext*size*date" for a list
  // entry, the name for a path) as bytes on disk, ended by a NUL.
  QByteArray lines;
  qsizetype hits = 0;
  std::vector<Mark> marks;
  std::vector<std::unique_ptr<FolderRead>> children;
};

struct WalkRules {
  QString patternList;
  bool asListEntries = true;
  bool enterFolders = true;
  bool includeThumbnailFolder = false;
  QString thumbFolder;
};

// Reads folders for one thread of a walk. Names and types come from the directory itself;
// the status is read only for hits that become list entries, relative to the open folder.
class FolderReader {
 public:
  explicit FolderReader(const WalkRules& rules) : rules_(rules) {}

  // Fills node's lines, marks and children (whose folders are still to be read). claim(dev,
  // ino) says whether this folder is new to the walk; a folder met again stays empty.
  void Read(FolderRead& node, const std::function<bool(dev_t, ino_t)>& claim);

 private:
  bool Matches(const char* name, size_t length);

  const WalkRules& rules_;
  // The pattern test depends only on the extension, and a tree has a handful of them.
  QHash<QByteArray, bool> extensions_;
  QByteArray lastExtension_;
  bool lastFits_ = false;
};

}  // namespace vistrel
