#include "thumbnails/thumb_naming.h"

#include <QFileInfo>

#include "core/text_paths.h"

namespace vistrel {

QString FolderKey(const QString& folder) {
  QString key = folder;
  while (key.endsWith(QLatin1Char('/'))) key.chop(1);
  key.replace(QLatin1Char('/'), QLatin1Char('='));
  if (key.isEmpty()) key = QStringLiteral("=");
  return key + QLatin1Char('/');
}

QString ThumbPath(const QString& thumbFolder, const QString& folder, const QString& file) {
  const int slash = file.lastIndexOf(QLatin1Char('/'));
  const QString name = slash < 0 ? file : file.mid(slash + 1);
  return thumbFolder + FolderKey(folder) + name + QStringLiteral(".jpg");
}

QString ThumbPathOf(const QString& thumbFolder, const QString& file) {
  const int slash = file.lastIndexOf(QLatin1Char('/'));
  const QString folder = slash < 0 ? QString() : file.left(slash + 1);
  return ThumbPath(thumbFolder, IncludeTrailingSeparator(folder), file);
}

QString PageOfThumb(const QString& thumbFolder, const QString& thumb) {
  QString page = thumb;
  if (!thumbFolder.isEmpty()) page.remove(thumbFolder, Qt::CaseInsensitive);
  page.replace(QLatin1Char('='), QLatin1Char('/'));
  page.replace(QStringLiteral("//"), QStringLiteral("/"));
  page.chop(4);
  return page;
}

}  // namespace vistrel
