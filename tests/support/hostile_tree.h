#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

namespace vistrel::testing {

// A site folder as real ones come: names that are not UTF-8, names holding characters that
// are patterns or separators elsewhere, and entries named like pages that are not pages.
// Paths are the program's spelling of the bytes (NameFromDisk); the folder ends with "/".
class HostileTree {
 public:
  struct Page {
    QString path;      // full path
    QByteArray bytes;  // its content
  };

  HostileTree();
  ~HostileTree();  // Qt cannot remove names that are not UTF-8; this does
  HostileTree(const HostileTree&) = delete;
  HostileTree& operator=(const HostileTree&) = delete;
  QString folder() const { return folder_; }

  // Regular pages every walk, list and command must handle. Under folder and sub/.
  const QList<Page>& pages() const { return pages_; }
  // Regular pages whose names a list line cannot hold ("*" or a line break).
  const QList<Page>& unlistable() const { return unlistable_; }
  // Entries named *.html that are not regular files: a FIFO, a link to /dev/zero, a dangling
  // link, a link loop (loop.html -> loop.html).
  const QList<QString>& notPages() const { return notPages_; }
  // A folder link pointing back up: a walk that follows it never ends.
  QString folderLoop() const { return folder_ + QStringLiteral("sub/up"); }

 private:
  QString AddPage(const QByteArray& relative, const QByteArray& bytes);

  QTemporaryDir dir_;
  QString folder_;
  QList<Page> pages_;
  QList<Page> unlistable_;
  QList<QString> notPages_;
};

}  // namespace vistrel::testing
