#include "cli/json_lines.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace vistrel::cli {

QByteArray EntryJsonLine(const ListRow& row, const char* state) {
  QJsonObject object;
  object.insert(QStringLiteral("path"), FullPathOfRow(row));
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
