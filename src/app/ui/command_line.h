#pragma once

#include <QString>
#include <QStringList>

namespace vistrel {

// The types a start file or a dropped file may have, whatever the filter setting says.
extern const char* const kAcceptedTypes;

// The path made absolute and clean (there are no short names to expand here).
QString LongPathOf(const QString& path);

// The start file from the parameters (program name not included): with one or two, the last
// one, if it has an accepted type and names an existing file; else "".
QString ReadCommandLine(const QStringList& parameters);

// The message for a dropped file that is not accepted.
QString FileNotAcceptedMessage(const QString& file);

}  // namespace vistrel
