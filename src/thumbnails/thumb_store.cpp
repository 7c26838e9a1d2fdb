#include "thumbnails/thumb_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <exception>

#include "core/disk_name.h"
#include "filelists/file_search.h"
#include "snapshots/image_files.h"
#include "snapshots/resample.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_naming.h"

namespace vistrel {

namespace {
const char* const kAllRemoved = " thumbnails removed.";
const char* const kFound = " thumbnails found.";
const char* const kOrphansRemoved = " orphaned thumbnails removed.";
}  // namespace

ThumbStore::ThumbStore(const QString& thumbFolder, ThumbCache& cache, PageCapture capture)
    : thumbFolder_(thumbFolder), cache_(cache), capture_(std::move(capture)) {}

QString ThumbStore::ThumbOf(const QString& file) const { return ThumbPathOf(thumbFolder_, file); }

bool ThumbStore::MakeThumb(const QString& file) {
  if (KindOf(file) != FileKind::kRegular) return false;
  try {
    if (!renderSize_.isValid() || renderSize_.isEmpty() || !capture_) return false;
    const QImage capture = capture_(file, renderSize_);
    if (capture.isNull()) return false;
    const QImage thumb = ResampleBitmap(capture, QSize(kThumbWidth, kThumbHeight));
    const QString path = ThumbOf(file);
    if (!MakeFolders(path.left(path.lastIndexOf(u'/')))) return false;
    if (!WriteImageFile(path, thumb, nullptr, kThumbnailJpeg)) return false;
    cache_.CacheRefresh(thumb, path);
    return true;
  } catch (const std::exception&) {
    // A page the engine cannot load simply gets no thumbnail.
    return false;
  }
}

void ThumbStore::ClearThumb(const QString& file) {
  const QString path = ThumbOf(file);
  QFile::remove(path);
  cache_.CacheInvalidate(path);
}

RemoveThumbsResult ThumbStore::RemoveThumbs(bool all, const std::function<void()>& processEvents) {
  RemoveThumbsResult result;
  {
    // A list of its own, so the clean-up never disturbs a search result the user is
    // working on.
    QStringList thumbs;
    SearchRequest request;
    request.folder = thumbFolder_;
    request.patternList = QStringLiteral("*.JPG");
    request.asListEntries = false;
    request.includeThumbnailFolder = true;
    request.thumbFolder = thumbFolder_;
    request.processEvents = processEvents;
    SearchFolderTree(request, thumbs);
    result.found = thumbs.size();
    for (const QString& thumb : thumbs) {
      if (all || !QFileInfo(PageOfThumb(thumbFolder_, thumb)).isFile()) {
        if (QFile::remove(thumb)) ++result.removed;
      }
    }
    const QDir top(thumbFolder_);
    for (const QString& name : top.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
      top.rmdir(name);  // only empty folders go
  }
  if (all) {
    result.message = QString::number(result.removed) + QLatin1String(kAllRemoved);
  } else {
    result.message = QString::number(result.found) + QLatin1String(kFound) +
                     QStringLiteral("\r\n\r\n") + QString::number(result.removed) +
                     QLatin1String(kOrphansRemoved);
  }
  return result;
}

}  // namespace vistrel
