#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QString>

#include "core/text_paths.h"

namespace vistrel {

// The directory entry of a file from its status, as searches and verification read it.
DirectoryEntry EntryFromStatus(const struct stat& status, const QString& name);

// FileExistsAny for long runs over many paths: the same answer (a dangling link counts as an
// entry) from one or two stat calls, without the file-information object and its local-time
// conversions, which would make verifying a large list several times slower than the disk.
bool NativeEntryExists(const QString& path, DirectoryEntry* entry);

}  // namespace vistrel
