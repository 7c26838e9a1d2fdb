#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace vistrel {

class ThumbCache;

// Draws a whole grid item itself: the cell navy when selected and grey otherwise, the cached
// thumbnail in a frame of its type colour (or "--- No Thumbnail ---"), red and yellow frames
// around a selected cell, and the caption below.
class ThumbnailDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  static const QColor kGrey;
  static const QColor kNavy;
  static const QColor kFontColour;
  static const char* const kNoThumbnail;

  ThumbnailDelegate(const ThumbCache& cache, QObject* parent = nullptr);

  // The type colour of a caption's extension: yellow for JPEG pictures, lime for GIF,
  // black for everything else.
  static QColor TypeColour(const QString& caption);

  // Where the parts of an item go inside its cell.
  static QRect IconRect(const QRect& cell, int fontPoints);
  static QRect PictureRect(const QRect& cell, int fontPoints);
  static QRect LabelRect(const QRect& cell, int fontPoints);
  static QSize CellSize(const QFont& font);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const ThumbCache& cache_;
};

}  // namespace vistrel
