#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "filelists/file_search.h"

namespace vistrel {

// What the File Lists page's commands compute, apart from the page that shows it.

// "N file name(s) left out: ..." followed by the first of the printable paths left out.
QString LeftOutMessage(const QStringList& leftOut);

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
  QStringList leftOut;   // hits a list entry cannot hold, printable
};

// Searches into a copy of existing (empty for a new list); when adding, duplicates go.
ListSearchResult SearchIntoList(const ListSearch& search, QStringList existing, bool addToList);

// The question after a search that found something.
QString SearchFinishedMessage(qsizetype count, qsizetype added);

// Appends the chosen files (all in one folder) as list entries; hidden and missing files are
// skipped, names a list cannot hold are given back, printable. Duplicates go.
QStringList AddFilesToList(const QStringList& chosen, QStringList& lines);

// Reads the named lists of folder one after the other and joins them, duplicates removed;
// false with *error naming the list that could not be read.
bool ReadMergedLists(const QString& folder, const QStringList& names, QStringList* merged,
                     QString* error);

}  // namespace vistrel
