#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace vistrel {

// One folder of a walk once read: its hits, the subfolders to enter and the names left out,
// in the order the file system gave them.
struct FolderRead {
  struct Item {
    enum Kind { kHit, kChild, kLeftOut } kind = kHit;
    QString text;      // the hit's line, or the printable path left out
    size_t child = 0;  // index into children for kChild
  };
  QString folder;  // the program's spelling, one trailing "/"
  QByteArray raw;  // the bytes on disk, one trailing "/"
  std::vector<Item> items;
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

  // Fills node's items and children (whose folders are still to be read). claim(dev, ino)
  // says whether this folder is new to the walk; a folder met again stays empty.
  void Read(FolderRead& node, const std::function<bool(dev_t, ino_t)>& claim);

 private:
  bool Matches(const char* name, size_t length);
  // The list entry of a hit; safe on any thread.
  QString HitText(const FolderRead& node, int dirFd, const char* name,
                  const QString& decoded) const;

  const WalkRules& rules_;
  // The pattern test depends only on the extension, and a tree has a handful of them.
  QHash<QByteArray, bool> extensions_;
  QByteArray lastExtension_;
  bool lastFits_ = false;
};

}  // namespace vistrel
