#include "app/ui/command_line.h"

#include "core/disk_name.h"
#include "core/pattern_match.h"

namespace vistrel {

const char* const kAcceptedTypes = "*.htm;*.jpg;*.gif;*.asp;*.sht;*.dht;*.cfm;*.jht";

QString LongPathOf(const QString& path) {
  if (path.isEmpty()) return path;
  return AbsolutePath(path);
}

QString ReadCommandLine(const QStringList& parameters) {
  if (parameters.isEmpty() || parameters.size() > 2) return {};
  QString file = LongPathOf(parameters.last());
  if (MatchesPatternList(file, QString::fromLatin1(kAcceptedTypes)) &&
      KindOf(file) == FileKind::kRegular)
    return file;
  return {};
}

QString FileNotAcceptedMessage(const QString& file) {
  return QStringLiteral("Vistrel:\r\nFile not accepted.\r\n") + PrintableName(file);
}

}  // namespace vistrel
