#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

namespace vistrel {

// The decoded thumbnails in memory: an image list that grows to at most cacheMax + 1
// images, and a sorted index of entries "T" + seven-digit sequence number + thumbnail path +
// "*" + image index ("D" instead of "T" once invalidated). The sequence number grows with
// every load, so the index sorts oldest first and invalidated entries before all valid ones;
// a full cache gives the slot of its first entry to the next load.
class ThumbCache {
 public:
  explicit ThumbCache(int cacheMax) : cacheMax_(cacheMax) {}

  void SetCacheMax(int cacheMax) { cacheMax_ = cacheMax; }
  int CacheMax() const { return cacheMax_; }

  // Image index of the valid entry for thumb (exact letter case), or -1.
  int CacheLookup(const QString& thumb) const;
  // Decodes the JPEG file thumb into the cache unless it is there; failures add nothing.
  void CacheLoad(const QString& thumb);
  // Overwrites the cached image of thumb, if there is one.
  void CacheRefresh(const QImage& picture, const QString& thumb);
  // Marks the entry of thumb invalid: never found again, its slot reused first.
  void CacheInvalidate(const QString& thumb);

  // The image for index (from CacheLookup); a null image for an index never given out.
  const QImage& Image(int index) const;
  int ImageCount() const { return static_cast<int>(images_.size()); }
  const QStringList& Index() const { return index_; }
  int SequenceNumber() const { return sequence_; }

 private:
  void Insert(const QString& entry);
  int FindValid(const QString& thumb) const;  // position in the index, or -1
  // Where the path of an entry starts and its slot's "*" stands; -1 when malformed.
  static int PathStart(const QString& entry);
  static int SlotOf(const QString& entry);
  static QImage Normalised(const QImage& picture);

  int cacheMax_;
  int sequence_ = 0;
  std::vector<QImage> images_;
  QStringList index_;
};

}  // namespace vistrel
