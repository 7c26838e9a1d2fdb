#pragma once

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
};

struct SearchOutcome {
  // Hits that could not be stored: names a list line cannot hold ("*", line breaks) or bytes
  // that do not decode to a name that opens the same file again.
  int leftOut = 0;
};

// Walks the tree depth first in the file system's order and appends every hit to target.
// Hidden entries are left out, "_vti_cnf" folders and (unless asked) the subfolders of the
// thumbnail folder are not entered; a folder not entered is tested like a file. Symbolic
// links are never followed into folders and no folder is entered twice, so link loops end.
SearchOutcome SearchFolderTree(const SearchRequest& request, QStringList& target);

// The entries of folder only, as list entries; folders are tested like files.
SearchOutcome SearchFolder(QStringList& target, const QString& folder, const QString& patternList);

}  // namespace vistrel
