#pragma once

#include <QByteArray>
#include <QStringView>

namespace vistrel::cli {

// Standard output as bytes, after what Out() holds: a path written this way is the name on
// disk, so `vistrel-cli search DIR | xargs -d '\n' ...` reaches the same files.
void WriteOutBytes(const QByteArray& bytes);

// text's bytes (NameToDisk) and a line break, on standard output.
void WritePathLine(QStringView text);

}  // namespace vistrel::cli
