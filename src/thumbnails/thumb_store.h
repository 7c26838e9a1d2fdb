#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <type_traits>

namespace vistrel {

class ThumbCache;

// One page of a batch as the capture reports it.
struct CapturedPage {
  QImage image;           // what the finishing step made; null when nothing was made
  QByteArray data;        // and its encoded file
  bool timedOut = false;  // the page did not finish in time and was taken as painted
  QString problem;        // why nothing was made, for the batch summary
};

// A batch for a capture that renders several pages at once.
struct CaptureBatch {
  QStringList files;
  QSize renderSize;
  int timeoutMs = 0;  // 0: the capture's own
  // Before file index starts (GUI thread); false ends the batch there.
  std::function<bool(int index)> admit;
  // On a worker thread with a page's capture: the image to keep and its file, or a null image.
  std::function<CapturedPage(const QImage& capture)> finish;
  // Once per file in batch order (GUI thread); false ends the batch.
  std::function<bool(int index, const CapturedPage& page)> deliver;
  // Asked often while a batch runs; true stops it, also in the middle of a page.
  std::function<bool()> stopAsked;
};

// Renders a local file at the given window size and returns exactly that many pixels; a
// null image or an exception when it cannot. A capture may also do batches (several pages
// in flight); without one a batch is made page by page.
struct PageCapture {
  using One = std::function<QImage(const QString& file, QSize renderSize)>;
  using Batch = std::function<int(const CaptureBatch& batch)>;

  PageCapture() = default;
  template <typename F,
            typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, PageCapture> &&
                                        std::is_invocable_r_v<QImage, F&, const QString&, QSize>>>
  PageCapture(F one) : one(std::move(one)) {}  // NOLINT(google-explicit-constructor)
  PageCapture(One one, Batch batch) : one(std::move(one)), batch(std::move(batch)) {}

  explicit operator bool() const { return static_cast<bool>(one); }
  QImage operator()(const QString& file, QSize size) const { return one(file, size); }

  One one;
  Batch batch;
};

// What a batch of MakeThumbs did with one file.
struct ThumbOutcome {
  bool made = false;
  bool timedOut = false;  // made from what was painted when the timeout came
  QString problem;        // why no thumbnail was made; empty for a missing file
};

struct ThumbBatchHooks {
  // Before file index is rendered (the disk-space guard); false ends the batch there.
  std::function<bool(int index, const QString& file)> admit;
  // In the order of files, as soon as each is done; false ends the batch.
  std::function<bool(int index, const QString& file, const ThumbOutcome& outcome)> done;
  std::function<bool()> stopAsked;
};

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
  // MakeThumb for each file, several pages in flight when the capture can; a page that
  // painted nothing of its own, or whose renderer died, gets no thumbnail (never another
  // page's pixels). timeoutMs: how long a page may take (0: the capture's own). Returns how
  // many files were handed to hooks.done.
  int MakeThumbs(const QStringList& files, const ThumbBatchHooks& hooks, int timeoutMs = 0);
  // Scales a page's capture to the thumbnail and encodes it (image and data); safe on any
  // thread.
  static CapturedPage EncodeThumb(const QImage& capture);
  // Writes an encoded thumbnail of file, creating its folder, and refreshes the cache.
  bool StoreThumb(const QString& file, const CapturedPage& thumb);
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
