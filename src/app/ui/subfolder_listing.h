#pragma once

#include <QString>
#include <QStringList>

namespace vistrel {

// The names of the folders directly below folder that the folder tree shows: not hidden, and
// links that point at a folder count as folders. Names and types come from the directory
// itself; only links and entries of unknown type have their status read, so a folder of many
// thousand files costs one pass over its names. Names come back as the program spells them
// (NameFromDisk), in the tree's order; an unreadable folder has none.
QStringList ReadSubfolders(const QString& folder);

// The tree's order: letter case ignored, by the user's collation (numbers by value where it
// knows them), the exact spelling deciding between names that compare equal.
void SortFolderNames(QStringList& names);

}  // namespace vistrel
