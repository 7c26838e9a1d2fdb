#include "cli/json_lines.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include "core/disk_name.h"

namespace vistrel::cli {

QByteArray EntryJsonLine(const ListRow& row, const char* state) {
  QJsonObject object;
  const QString path = FullPathOfRow(row);
  object.insert(QStringLiteral("path"), path);
  // JSON text is Unicode and cannot hold such a name as it is on disk; its bytes let a script
  // reach the file all the same.
  if (HasRawBytes(path))
    object.insert(QStringLiteral("path_bytes"), QString::fromLatin1(NameToDisk(path).toBase64()));
  bool numeric = false;
  const qint64 size = row[kFieldSize].toLongLong(&numeric);
  object.insert(QStringLiteral("size"), numeric ? QJsonValue(size) : QJsonValue());
  // "yyyy-mm-dd  hh:mm" in the list; ISO 8601 here, still local time as the list has it.
  QString time = row[kFieldDate].simplified();
  time.replace(QLatin1Char(' '), QLatin1Char('T'));
  object.insert(QStringLiteral("time"), time);
  object.insert(QStringLiteral("state"), QLatin1String(state));
  return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

}  // namespace vistrel::cli
