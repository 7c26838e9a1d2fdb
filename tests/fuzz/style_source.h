#pragma once

#include <QByteArray>

#include "formatter/style.h"

namespace vistrel::fuzz {

// Loads a style from the text of its two files, through the real file reader.
Style StyleFromFiles(const QByteArray& options, const QByteArray& tags);

}  // namespace vistrel::fuzz
