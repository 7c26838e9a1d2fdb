#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "filelists/file_search.h"

namespace vistrel {

// What the File Lists page's commands compute, apart from the page that shows it.

extern const char* const kNamesLeftOut;

// "Desc|*.a;*.b|Desc2|*.c" as a file dialog's "Desc (*.a *.b);;Desc2 (*.c)".
QString DialogFilter(const QString& filterText);

struct ListSearch {
  QString folder;
  QString patternList;
  bool includeSubfolders = true;
  QString thumbFolder;  // never walked into
  std::function<void()> processEvents;
};

struct ListSearchResult {
  QStringList lines;     // the list after the search, unique when it was added to
  qsizetype before = 0;  // lines the list had before
  int leftOut = 0;       // hits a list entry cannot hold
};

// Searches into a copy of existing (empty for a new list); when adding, duplicates go.
ListSearchResult SearchIntoList(const ListSearch& search, QStringList existing, bool addToList);

// The question after a search that found something.
QString SearchFinishedMessage(qsizetype count, qsizetype added);

// Appends the chosen files (all in one folder) as list entries; hidden and missing files are
// skipped, names a list cannot hold are counted in the result. Duplicates go.
int AddFilesToList(const QStringList& chosen, QStringList& lines);

// Reads the named lists of folder one after the other and joins them, duplicates removed;
// false with *error naming the list that could not be read.
bool ReadMergedLists(const QString& folder, const QStringList& names, QStringList* merged,
                     QString* error);

}  // namespace vistrel
