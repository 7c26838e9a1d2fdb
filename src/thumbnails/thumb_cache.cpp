#include "thumbnails/thumb_cache.h"

#include <QPainter>
#include <algorithm>
#include <exception>

#include "core/text_file.h"
#include "snapshots/jpeg_codec.h"
#include "thumbnails/thumb_naming.h"

namespace vistrel {

namespace {
constexpr int kSequenceDigits = 7;

bool LessNoCase(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}
}  // namespace

int ThumbCache::PathStart(const QString& entry) {
  // The sequence number has at least seven digits; it only grows past them after ten
  // million loads, and the path must still be found then.
  int at = 1;
  while (at < entry.size() && entry.at(at).isDigit()) ++at;
  return at - 1 >= kSequenceDigits ? at : -1;
}

int ThumbCache::SlotOf(const QString& entry) {
  // Page names may hold "*", so the slot is what follows the last one.
  const int star = entry.lastIndexOf(QLatin1Char('*'));
  if (star < 0) return -1;
  bool ok = false;
  const int slot = entry.mid(star + 1).toInt(&ok, 10);
  return ok ? slot : -1;
}

int ThumbCache::FindValid(const QString& thumb) const {
  for (int i = 0; i < index_.size(); ++i) {
    const QString& entry = index_.at(i);
    if (!entry.startsWith(QLatin1Char('T'))) continue;
    const int start = PathStart(entry);
    const int star = entry.lastIndexOf(QLatin1Char('*'));
    // The whole path must match: "x.jpg" must not find the entry of "x.jpg.jpg".
    if (start < 0 || star - start != thumb.size()) continue;
    if (QStringView(entry).mid(start, thumb.size()) == thumb) return i;
  }
  return -1;
}

int ThumbCache::CacheLookup(const QString& thumb) const {
  const int at = FindValid(thumb);
  return at < 0 ? -1 : SlotOf(index_.at(at));
}

QImage ThumbCache::Normalised(const QImage& picture) {
  if (picture.size() == QSize(kThumbWidth, kThumbHeight) &&
      picture.format() == QImage::Format_RGB888)
    return picture;
  QImage slot(kThumbWidth, kThumbHeight, QImage::Format_RGB888);
  slot.fill(Qt::white);
  QPainter painter(&slot);
  painter.drawImage(0, 0, picture);
  return slot;
}

void ThumbCache::Insert(const QString& entry) {
  index_.insert(std::upper_bound(index_.begin(), index_.end(), entry, LessNoCase), entry);
}

void ThumbCache::CacheLoad(const QString& thumb) {
  if (CacheLookup(thumb) >= 0) return;
  try {
    QByteArray bytes;
    if (!ReadWholeFile(thumb, &bytes)) return;
    const QImage decoded = DecodeJpeg(bytes);
    if (decoded.isNull()) return;
    const QImage picture = Normalised(decoded);
    ++sequence_;
    int slot = -1;
    const bool full = ImageCount() > cacheMax_;
    if (full && !index_.isEmpty()) {
      slot = SlotOf(index_.first());
      index_.removeFirst();
    }
    if (slot >= 0 && slot < ImageCount()) {
      images_[slot] = picture;
    } else {
      slot = ImageCount();
      images_.push_back(picture);
    }
    Insert(QLatin1Char('T') +
           QStringLiteral("%1").arg(sequence_, kSequenceDigits, 10, QLatin1Char('0')) + thumb +
           QLatin1Char('*') + QString::number(slot));
  } catch (const std::exception&) {
    // A thumbnail that cannot be loaded is drawn as missing.
  }
}

void ThumbCache::CacheRefresh(const QImage& picture, const QString& thumb) {
  const int slot = CacheLookup(thumb);
  if (slot >= 0 && slot < ImageCount() && !picture.isNull()) images_[slot] = Normalised(picture);
}

void ThumbCache::CacheInvalidate(const QString& thumb) {
  const int at = FindValid(thumb);
  if (at < 0) return;
  QString invalid = index_.takeAt(at);
  invalid[0] = QLatin1Char('D');
  Insert(invalid);
}

const QImage& ThumbCache::Image(int index) const {
  static const QImage none;
  return index >= 0 && index < ImageCount() ? images_[index] : none;
}

}  // namespace vistrel
