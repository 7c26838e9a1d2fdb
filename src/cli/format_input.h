#pragma once

#include <QString>

#include "core/text_file.h"

namespace vistrel::cli {

// Reads the format command's input, FILE or standard input when FILE is "" or "-", and
// decodes it as DecodeText does: valid UTF-8 as characters, anything else byte for byte as
// Latin-1. A file is read and decoded into memory asked for in large pages, which a large
// page fills with far fewer faults. False, with the reason on stderr, when it cannot be read.
bool ReadFormatInput(const QString& file, DecodedText* decoded);

}  // namespace vistrel::cli
