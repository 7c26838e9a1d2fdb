#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace vistrel {

struct SearchRequest {
  QString folder;
  QString patternList;        // the pattern list in force, e.g. "*.htm;*.jpg"
  bool asListEntries = true;  // list entries, else full paths
  bool includeThumbnailFolder = false;
  QString thumbFolder;  // with trailing "/"
  // Lets the user interface breathe during a long walk; called at most every ~20 ms.
  std::function<void()> processEvents;
  // Called at the same pace with the number of hits so far and a folder being read.
  std::function<void(qsizetype hits, const QString& folder)> progress;
};

struct SearchOutcome {
  // Hits a list line cannot hold ("*" or a line break in the name or a folder above it), as
  // printable full paths (PrintableName), in the order the walk met them.
  QStringList leftOut;
};

// Walks the tree depth first in the file system's order and appends every hit to target.
// Hidden entries are left out, "_vti_cnf" folders and (unless asked) the subfolders of the
// thumbnail folder are not entered; a folder not entered is tested like a file. Symbolic
// links are never followed into folders and no folder is entered twice, so link loops end.
// Names keep their bytes (NameFromDisk). Folders are read on all cores; the result is the
// same as one reader's.
SearchOutcome SearchFolderTree(const SearchRequest& request, QStringList& target);

// Receives a walk's hits as the bytes of their lines (names as on disk), each line ended by
// "\n" (a full path may hold a line break of its own), in blocks of a few hundred kilobytes,
// in the order the walk gives them.
using LineBlocks = std::function<void(const QByteArray& block)>;

// The same walk, with its hits as bytes: for writing them out without a string per hit.
SearchOutcome SearchFolderTreeLines(const SearchRequest& request, const LineBlocks& sink);

// The entries of folder only, as list entries; folders are tested like files.
SearchOutcome SearchFolder(QStringList& target, const QString& folder, const QString& patternList);
SearchOutcome SearchFolderLines(const LineBlocks& sink, const QString& folder,
                                const QString& patternList);

}  // namespace vistrel
