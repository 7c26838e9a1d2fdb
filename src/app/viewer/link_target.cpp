#include "app/viewer/link_target.h"

#include <QDir>
#include <QUrl>

#include "core/disk_name.h"
#include "core/text_paths.h"

namespace vistrel {

QString WithoutFragment(const QString& url) {
  const qsizetype hash = url.indexOf(QLatin1Char('#'));
  if (hash < 0) return url;
  QString rest = url;
  rest.remove(hash, qMin<qsizetype>(1001, url.size() - hash));
  return rest;
}

QString LinkedFile(const QString& documentFile, const QString& url) {
  QString rest = WithoutFragment(url);
  if (rest.isEmpty()) return {};
  const QUrl parsed(rest);
  if (parsed.isLocalFile()) return QDir::cleanPath(PathOfFileUrl(parsed));
  // A web or mail address names no file here; it ends in the beep of a missing file.
  if (!parsed.scheme().isEmpty() && parsed.scheme().size() > 1) return rest;
  const QString folder = FolderOfPath(AbsolutePath(documentFile));
  // Percent-escapes stand for bytes of the name on disk, which need not be UTF-8.
  const QString relative = NameFromDisk(QByteArray::fromPercentEncoding(rest.toUtf8()));
  return QDir::cleanPath(relative.startsWith(QLatin1Char('/')) ? relative : folder + relative);
}

QString HoverText(const QString& target, const QString& url) {
  if (target.isEmpty() && url.isEmpty()) return {};
  QString text = QStringLiteral("URL: ") + url;
  if (!target.isEmpty()) text += QStringLiteral("    (Target: ") + target + QLatin1Char(')');
  return text;
}

}  // namespace vistrel
