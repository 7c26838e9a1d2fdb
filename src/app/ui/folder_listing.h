#pragma once

#include <QString>
#include <QStringList>

namespace vistrel {

// The names the Folder View lists for folder: readable files (a link counts as what it points
// at) that are not hidden and match the pattern list, sorted by name with letter case. FIFOs,
// sockets, devices, dangling links and folders are not listed. Names are read as bytes, so
// every name comes back as the program spells it (NameFromDisk). An unreadable folder lists
// nothing and sets *error to a message naming it.
QStringList ListFolderFiles(const QString& folder, const QString& patterns,
                            QString* error = nullptr);

}  // namespace vistrel
