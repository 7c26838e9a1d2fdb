#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QString>

#include "core/disk_name.h"  // FolderOfPath, NameOfPath
#include "core/text_paths.h"

namespace vistrel {

// The directory entry of a file from its status, as searches and verification read it.
DirectoryEntry EntryFromStatus(const struct stat& status, const QString& name);

enum class EntryLookup { kFound, kMissing, kUnreadable };

// FileExistsAny for long runs over many paths, by the bytes of the name: the same answer (a
// dangling link counts as an entry) from one or two stat calls, without the file-information
// object and its local-time conversions. A path the system refuses to look at (a folder
// without search permission, an I/O error) is kUnreadable, not missing, with *reason set.
EntryLookup LookUpEntry(const QString& path, DirectoryEntry* entry, QString* reason = nullptr);

}  // namespace vistrel
