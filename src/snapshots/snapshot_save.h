#pragma once

#include <QImage>
#include <QString>
#include <functional>

#include "snapshots/snapshot_settings.h"

namespace vistrel {

class Prompter;

// Shows a text in the options window's status line (and repaints it).
using StatusLine = std::function<void(const QString&)>;

// Snapshots stop when fewer than this many kilobytes (of 1000 bytes) are free.
constexpr int kSnapshotMinimumKb = 2000;

// Writes the composed snapshot as JPEG (quality 75, full colour) or 24-bit BMP. The result
// says whether a batch may go on: false for an empty name, too little disk space, Cancel
// to the overwrite question or a failed write; true after writing, or when the user
// answered No to overwriting (nothing written). imgSave is converted to 24 bits in place.
// The file is written under a temporary name and renamed, so no partial file is left.
bool SaveSnapshot(const QString& fileName, SnapshotFormat format, bool askOverwrite,
                  QImage& imgSave, Prompter& prompter, const StatusLine& status,
                  int minimumKb = kSnapshotMinimumKb);

}  // namespace vistrel
