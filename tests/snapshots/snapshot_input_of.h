#pragma once

#include "snapshots/snapshot_settings.h"

namespace vistrel {

// The snapshot window's entries as the user would type them.
inline SnapshotInput SnapshotInputOf(const char* width, const char* height,
                                     const char* scale = "100", const char* shade = "10",
                                     const char* border = "1") {
  SnapshotInput input;
  input.width = QLatin1String(width);
  input.height = QLatin1String(height);
  input.scale = QLatin1String(scale);
  input.shade = QLatin1String(shade);
  input.border = QLatin1String(border);
  return input;
}

}  // namespace vistrel
