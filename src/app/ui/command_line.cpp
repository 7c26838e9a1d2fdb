#include "app/ui/command_line.h"

#include <QDir>
#include <QFileInfo>

#include "core/pattern_match.h"

namespace vistrel {

const char* const kAcceptedTypes = "*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht";

QString LongPathOf(const QString& path) {
  if (path.isEmpty()) return path;
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString ReadCommandLine(const QStringList& parameters) {
  if (parameters.isEmpty() || parameters.size() > 2) return {};
  QString file = LongPathOf(parameters.last());
  if (MatchesPatternList(file, QString::fromLatin1(kAcceptedTypes)) && QFileInfo(file).isFile())
    return file;
  return {};
}

QString FileNotAcceptedMessage(const QString& file) {
  return QStringLiteral("Vistrel:\r\nFile not accepted.\r\n") + file;
}

}  // namespace vistrel
