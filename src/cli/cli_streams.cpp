#include <QFile>

#include "cli/cli_streams.h"

#include "cli/cli_command.h"
#include "core/disk_name.h"
#include "core/text_file.h"

namespace vistrel::cli {

QTextStream& Out() {
  static QFile file;
  static QTextStream stream(&file);
  if (!file.isOpen()) file.open(stdout, QIODevice::WriteOnly);
  return stream;
}

void WriteOutBytes(const QByteArray& bytes) {
  QTextStream& out = Out();
  out.flush();
  out.device()->write(bytes);
}

void WritePathLine(QStringView text) { WriteOutBytes(NameToDisk(text) + '\n'); }

QTextStream& Err() {
  static QFile file;
  static QTextStream stream(&file);
  if (!file.isOpen()) file.open(stderr, QIODevice::WriteOnly);
  return stream;
}

bool ReadInput(const QString& file, QByteArray* bytes) {
  if (!file.isEmpty() && file != QLatin1String("-")) {
    // Never blocks on a FIFO or device given as FILE: only regular files are read.
    QString error;
    if (ReadWholeFile(file, bytes, &error)) return true;
    Err() << "vistrel-cli: " << error << "\n";
    Err().flush();
    return false;
  }
  QFile in;
  if (!in.open(stdin, QIODevice::ReadOnly)) {
    Err() << "vistrel-cli: cannot read standard input: " << in.errorString() << "\n";
    Err().flush();
    return false;
  }
  *bytes = in.readAll();
  return true;
}

}  // namespace vistrel::cli
