#include "temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vistrel::testing {

TempFolder::TempFolder() { dir_.setAutoRemove(true); }

QString TempFolder::path() const { return dir_.path() + QLatin1Char('/'); }

QString TempFolder::Write(const QString& relative, const QByteArray& bytes) {
  const QString full = path() + relative;
  QDir().mkpath(QFileInfo(full).absolutePath());
  QFile file(full);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return full;
}

QString TempFolder::MakeDir(const QString& relative) {
  const QString full = path() + relative;
  QDir().mkpath(full);
  return full.endsWith(QLatin1Char('/')) ? full : full + QLatin1Char('/');
}

QByteArray TempFolder::Read(const QString& relative) const {
  QFile file(path() + relative);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace vistrel::testing
