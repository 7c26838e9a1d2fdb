#include "thumbnails/thumb_store.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

#include "core/disk_name.h"
#include "core/text_file.h"
#include "filelists/file_search.h"
#include "snapshots/jpeg_codec.h"
#include "snapshots/resample.h"
#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_naming.h"

namespace vistrel {

namespace {
const char* const kAllRemoved = " thumbnails removed.";
const char* const kFound = " thumbnails found.";
const char* const kOrphansRemoved = " orphaned thumbnails removed.";
const char* const kNotWritten = "the thumbnail could not be written";
const char* const kNotRegular = "not a regular file";

// Only a page that is certainly not there makes its thumbnail an orphan: a folder that cannot
// be read or a link that goes nowhere says nothing about it.
bool PageIsGone(const QString& page) {
  struct stat info {};
  if (::lstat(NameToDisk(page).constData(), &info) == 0) return false;
  return errno == ENOENT || errno == ENOTDIR;
}

// Removes the empty folders directly in folder; the others stay, without a message.
void RemoveEmptySubfolders(const QString& folder) {
  const QByteArray bytes = NameToDisk(folder);
  DIR* dir = ::opendir(bytes.constData());
  if (!dir) return;
  QList<QByteArray> names;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (name != "." && name != "..") names.append(name);
  }
  ::closedir(dir);
  const QByteArray prefix = bytes.endsWith('/') ? bytes : bytes + '/';
  for (const QByteArray& name : names) ::rmdir(QByteArray(prefix + name).constData());
}
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
    return StoreThumb(file, EncodeThumb(capture));
  } catch (const std::exception&) {
    // A page the engine cannot load simply gets no thumbnail.
    return false;
  }
}

CapturedPage ThumbStore::EncodeThumb(const QImage& capture) {
  CapturedPage thumb;
  const QImage image = ResampleBitmap(capture, QSize(kThumbWidth, kThumbHeight));
  if (EncodeJpeg(image, kThumbnailJpeg, &thumb.data)) thumb.image = image;
  return thumb;
}

bool ThumbStore::StoreThumb(const QString& file, const CapturedPage& thumb) {
  if (thumb.image.isNull()) return false;
  const QString path = ThumbOf(file);
  if (!MakeFolders(path.left(path.lastIndexOf(u'/')))) return false;
  if (!WriteFileAtomically(path, thumb.data)) return false;
  cache_.CacheRefresh(thumb.image, path);
  return true;
}

int ThumbStore::MakeThumbs(const QStringList& files, const ThumbBatchHooks& hooks, int timeoutMs) {
  const bool canRender = renderSize_.isValid() && !renderSize_.isEmpty() && capture_;
  if (!canRender || !capture_.batch) {
    int handed = 0;
    for (int i = 0; i < files.size(); ++i) {
      if (hooks.admit && !hooks.admit(i, files.at(i))) break;
      ThumbOutcome outcome;
      outcome.made = MakeThumb(files.at(i));
      ++handed;
      if (hooks.done && !hooks.done(i, files.at(i), outcome)) break;
      if (hooks.stopAsked && hooks.stopAsked()) break;
    }
    return handed;
  }
  CaptureBatch batch;
  batch.files = files;
  batch.renderSize = renderSize_;
  batch.timeoutMs = timeoutMs;
  batch.admit = [&](int index) { return !hooks.admit || hooks.admit(index, files.at(index)); };
  batch.finish = &ThumbStore::EncodeThumb;
  batch.deliver = [&](int index, const CapturedPage& page) {
    const QString& file = files.at(index);
    // Written here, in the order of the batch: a stopped batch leaves no thumbnail of a
    // page it did not count.
    ThumbOutcome outcome{false, page.timedOut, page.problem};
    if (!page.image.isNull()) {
      outcome.made = StoreThumb(file, page);
      if (!outcome.made) outcome.problem = QLatin1String(kNotWritten);
    }
    const FileKind kind = KindOf(file);
    if (outcome.made || kind == FileKind::kMissing || kind == FileKind::kDirectory)
      outcome.problem.clear();
    else if (kind == FileKind::kOther)
      outcome.problem = QLatin1String(kNotRegular);
    return !hooks.done || hooks.done(index, file, outcome);
  };
  batch.stopAsked = hooks.stopAsked;
  return capture_.batch(batch);
}

void ThumbStore::ClearThumb(const QString& file) {
  const QString path = ThumbOf(file);
  RemoveFile(path);
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
      if (!all && !PageIsGone(PageOfThumb(thumbFolder_, thumb))) continue;
      if (::unlink(NameToDisk(thumb).constData()) == 0) ++result.removed;
    }
    RemoveEmptySubfolders(thumbFolder_);
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
