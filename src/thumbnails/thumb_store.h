#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

namespace vistrel {

class ThumbCache;

// Renders a local file at the given window size and returns exactly that many pixels; a
// null image or an exception when it cannot.
using PageCapture = std::function<QImage(const QString& file, QSize renderSize)>;

struct RemoveThumbsResult {
  int found = 0;  // thumbnail files listed below the thumbnail folder
  int removed = 0;
  QString message;  // what the information box says
};

// Makes, clears and cleans up the thumbnail files below the thumbnail folder and keeps the
// cache in step with them.
class ThumbStore {
 public:
  ThumbStore(const QString& thumbFolder, ThumbCache& cache, PageCapture capture);

  const QString& ThumbFolder() const { return thumbFolder_; }
  ThumbCache& Cache() const { return cache_; }

  // The browser size pages are rendered at; an invalid size until a base size is chosen,
  // and then every MakeThumb fails silently.
  void SetRenderSize(QSize size) { renderSize_ = size; }
  QSize RenderSize() const { return renderSize_; }

  QString ThumbOf(const QString& file) const;

  // Renders file, scales the whole window image to 130 x 100 (aspect ratio not kept) and
  // writes it as a quality 70 JPEG at ThumbOf(file), creating its folder; the cached image
  // is refreshed. A missing file or any failure leaves things as they were, without a
  // message. True when the thumbnail was written.
  bool MakeThumb(const QString& file);
  // Deletes the thumbnail of file (a missing one is no error) and invalidates its entry.
  void ClearThumb(const QString& file);
  // all: every thumbnail goes; otherwise those whose page no longer exists. Then the empty
  // folders directly in the thumbnail folder are removed. The cache is left alone.
  RemoveThumbsResult RemoveThumbs(bool all, const std::function<void()>& processEvents = {});

 private:
  QString thumbFolder_;
  ThumbCache& cache_;
  PageCapture capture_;
  QSize renderSize_;
};

}  // namespace vistrel
