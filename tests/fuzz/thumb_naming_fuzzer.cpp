// Any bytes as a page path: the thumbnail's name leads back to the page, and the thumbnail
// lies in the one subfolder of its page folder.
#include <QStringList>

#include "core/text_file.h"
#include "fuzz_target.h"
#include "thumbnails/thumb_naming.h"

using namespace vistrel;

VISTREL_FUZZ_ENTRY(thumb_naming)(const uint8_t* data, size_t size) {
  const QString text =
      DecodeText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)))
          .text;
  const QString thumbs = QStringLiteral("/prog/THUMBS/");
  // Any path goes through without a crash.
  PageOfThumb(thumbs, ThumbPathOf(thumbs, text));
  FolderKey(text);

  // An absolute page path of non-empty names without NUL comes back exactly.
  QStringList names = text.split(QLatin1Char('/'), Qt::SkipEmptyParts);
  for (QString& name : names) name.remove(QChar());
  names.removeAll(QString());
  if (names.isEmpty()) return 0;
  const QString page = QLatin1Char('/') + names.join(QLatin1Char('/'));
  const QString thumb = ThumbPathOf(thumbs, page);
  FUZZ_CHECK(thumb.startsWith(thumbs) && thumb.endsWith(QLatin1String(".jpg")));
  FUZZ_CHECK(thumb.mid(thumbs.size()).count(QLatin1Char('/')) == 1);
  FUZZ_CHECK(PageOfThumb(thumbs, thumb) == page);
  return 0;
}
