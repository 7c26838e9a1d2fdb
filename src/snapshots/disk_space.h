#pragma once

#include <QString>

namespace vistrel {

class Prompter;

// The guard before writing images: false (after "Diskspace on drive "<volume root>" <
// <minimumKb>Kb!" and "Process stopped.") when the volume holding path has fewer than
// minimumKb * 1000 bytes free. Free space that cannot be determined never stops a process.
bool EnoughDiskSpace(const QString& path, int minimumKb, Prompter& prompter);

// The decision itself, for a known volume: freeBytes < 0 means unknown.
bool EnoughFreeSpace(qint64 freeBytes, const QString& volumeRoot, int minimumKb,
                     Prompter& prompter);

}  // namespace vistrel
