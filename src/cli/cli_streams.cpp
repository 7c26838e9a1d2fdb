#include <QFile>

#include "cli/cli_command.h"

namespace vistrel::cli {

QTextStream& Out() {
  static QFile file;
  static QTextStream stream(&file);
  if (!file.isOpen()) file.open(stdout, QIODevice::WriteOnly);
  return stream;
}

QTextStream& Err() {
  static QFile file;
  static QTextStream stream(&file);
  if (!file.isOpen()) file.open(stderr, QIODevice::WriteOnly);
  return stream;
}

bool ReadInput(const QString& file, QByteArray* bytes) {
  QFile in;
  const bool standardInput = file.isEmpty() || file == QLatin1String("-");
  const bool opened = standardInput ? in.open(stdin, QIODevice::ReadOnly)
                                    : (in.setFileName(file), in.open(QIODevice::ReadOnly));
  if (!opened) {
    Err() << "vistrel-cli: cannot read "
          << (standardInput ? QStringLiteral("standard input") : file) << ": " << in.errorString()
          << "\n";
    Err().flush();
    return false;
  }
  *bytes = in.readAll();
  return true;
}

}  // namespace vistrel::cli
