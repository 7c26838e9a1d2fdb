#include "thumbnails/thumb_naming.h"

#include "core/text_paths.h"

namespace vistrel {

namespace {

// Keys of folders holding "=" start with this: a plain key never does, since it starts with
// the "=" of the root and a clean folder never starts with "//".
const QLatin1String kEscapedPrefix("==");

QString EscapedKey(const QString& folder) {
  QString key = kEscapedPrefix;
  key.reserve(folder.size() + 8);
  for (QChar c : folder) {
    if (c == u'%')
      key += QLatin1String("%25");
    else if (c == u'=')
      key += QLatin1String("%3D");
    else if (c == u'/')
      key += u'=';
    else
      key += c;
  }
  return key;
}

QString FolderOfEscapedKey(QStringView key) {
  QString folder;
  folder.reserve(key.size());
  for (qsizetype i = 0; i < key.size(); ++i) {
    const QStringView rest = key.mid(i);
    if (rest.startsWith(QLatin1String("%3D"), Qt::CaseInsensitive)) {
      folder += u'=';
      i += 2;
    } else if (rest.startsWith(QLatin1String("%25"))) {
      folder += u'%';
      i += 2;
    } else if (key[i] == u'=') {
      folder += u'/';
    } else {
      folder += key[i];
    }
  }
  return folder;
}

QString FolderOfKey(QStringView key) {
  if (key.startsWith(kEscapedPrefix)) return FolderOfEscapedKey(key.mid(kEscapedPrefix.size()));
  QString folder = key.toString();
  folder.replace(u'=', u'/');
  return folder;
}

}  // namespace

QString FolderKey(const QString& folder) {
  QString bare = folder;
  while (bare.endsWith(u'/')) bare.chop(1);
  QString key = bare;
  key.replace(u'/', u'=');
  if (key.isEmpty()) key = QStringLiteral("=");
  // The plain key loses "=" on the way back; such folders get an escaped one of their own.
  if (bare.contains(u'=') || key.startsWith(kEscapedPrefix)) key = EscapedKey(bare);
  return key + u'/';
}

QString ThumbPath(const QString& thumbFolder, const QString& folder, const QString& file) {
  const qsizetype slash = file.lastIndexOf(u'/');
  const QString name = slash < 0 ? file : file.mid(slash + 1);
  return thumbFolder + FolderKey(folder) + name + QStringLiteral(".jpg");
}

QString ThumbPathOf(const QString& thumbFolder, const QString& file) {
  const qsizetype slash = file.lastIndexOf(u'/');
  const QString folder = slash < 0 ? QString() : file.left(slash + 1);
  return ThumbPath(thumbFolder, IncludeTrailingSeparator(folder), file);
}

QString PageOfThumb(const QString& thumbFolder, const QString& thumb) {
  QStringView rest(thumb);
  if (!thumbFolder.isEmpty() && rest.startsWith(thumbFolder, Qt::CaseInsensitive))
    rest = rest.mid(thumbFolder.size());
  if (rest.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)) rest.chop(4);
  const qsizetype slash = rest.lastIndexOf(u'/');
  if (slash < 0) return FolderOfKey(rest);  // not below a folder key: nothing to split
  // Only the key is decoded: the page's own name is kept as it is, "=" and all.
  QString folder = FolderOfKey(rest.left(slash));
  if (!folder.endsWith(u'/')) folder += u'/';
  return folder + rest.mid(slash + 1);
}

}  // namespace vistrel
