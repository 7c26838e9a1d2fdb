#pragma once

#include <QByteArray>

#include "filelists/list_entry.h"

namespace vistrel::cli {

// One list entry as a line of JSON for scripts: {"path","size","state","time"}; size is a
// number (null when the entry holds none), time the entry's local time as yyyy-mm-ddThh:mm.
// A path whose bytes are not UTF-8 also gets "path_bytes", those bytes in base64.
QByteArray EntryJsonLine(const ListRow& row, const char* state);

}  // namespace vistrel::cli
