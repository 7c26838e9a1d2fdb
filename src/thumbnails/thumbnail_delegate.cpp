#include "thumbnails/thumbnail_delegate.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include "thumbnails/thumb_cache.h"
#include "thumbnails/thumb_naming.h"
#include "thumbnails/thumbnail_model.h"

namespace vistrel {

const QColor ThumbnailDelegate::kGrey(128, 128, 128);
const QColor ThumbnailDelegate::kNavy(0, 0, 128);
const QColor ThumbnailDelegate::kFontColour(255, 251, 206);
const char* const ThumbnailDelegate::kNoThumbnail = "--- No Thumbnail ---";

namespace {
constexpr int kLabelLines = 2;
constexpr int kNoThumbnailDrop = 40;

// A one-pixel frame on the inside edges of rect, as the selection frames want it.
void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour) {
  painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
  painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
  painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
  painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

// Text centred line by line, wrapped at words (anywhere for long words), with an ellipsis at
// the end of the last line that fits.
void DrawWrapped(QPainter& painter, const QRect& rect, const QString& text) {
  const QFontMetrics metrics(painter.font());
  QTextLayout layout(text, painter.font());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  QStringList lines;
  const int maxLines = qMax(1, rect.height() / metrics.lineSpacing());
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(rect.width());
    if (lines.size() == maxLines - 1) {
      const QString rest = text.mid(line.textStart());
      lines << metrics.elidedText(rest, Qt::ElideRight, rect.width());
      break;
    }
    lines << text.mid(line.textStart(), line.textLength()).trimmed();
  }
  layout.endLayout();
  int y = rect.top();
  for (const QString& line : lines) {
    painter.drawText(QRect(rect.left(), y, rect.width(), metrics.lineSpacing()),
                     Qt::AlignHCenter | Qt::AlignTop, line);
    y += metrics.lineSpacing();
  }
}
}  // namespace

ThumbnailDelegate::ThumbnailDelegate(const ThumbCache& cache, QObject* parent)
    : QStyledItemDelegate(parent), cache_(cache) {}

QColor ThumbnailDelegate::TypeColour(const QString& caption) {
  const int dot = caption.lastIndexOf(QLatin1Char('.'));
  const QString extension = dot < 0 ? QString() : caption.mid(dot).toUpper();
  if (extension == QLatin1String(".JPG") || extension == QLatin1String(".JPEG"))
    return QColor(255, 255, 0);
  if (extension == QLatin1String(".GIF")) return QColor(0, 255, 0);
  return QColor(0, 0, 0);
}

QSize ThumbnailDelegate::CellSize(const QFont& font) {
  const int s = qMax(1, font.pointSize());
  const QFontMetrics metrics(font);
  return QSize(kThumbWidth + 2 * s + 4,
               kThumbHeight + s + 4 + kLabelLines * metrics.lineSpacing() + 4);
}

QRect ThumbnailDelegate::IconRect(const QRect& cell, int fontPoints) {
  return QRect(cell.left(), cell.top(), cell.width(), kThumbHeight + fontPoints + 2);
}

QRect ThumbnailDelegate::PictureRect(const QRect& cell, int fontPoints) {
  const QRect icon = IconRect(cell, fontPoints);
  return QRect(icon.left() + fontPoints, icon.top() + fontPoints / 2, kThumbWidth, kThumbHeight);
}

QRect ThumbnailDelegate::LabelRect(const QRect& cell, int fontPoints) {
  const QRect icon = IconRect(cell, fontPoints);
  return QRect(cell.left() + 2, icon.bottom() + 2, cell.width() - 4,
               cell.bottom() - icon.bottom() - 3);
}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return CellSize(option.font);
}

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const int s = qMax(1, option.font.pointSize());
  const QRect cell = option.rect;
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  const QString caption = index.data(Qt::DisplayRole).toString();
  const int imageIndex = index.data(ThumbnailModel::kImageIndexRole).toInt();

  painter->save();
  painter->setFont(option.font);
  painter->setPen(kFontColour);
  painter->setBackgroundMode(Qt::OpaqueMode);
  painter->fillRect(cell, selected ? kNavy : kGrey);

  QRect picture = PictureRect(cell, s);
  const QColor typeColour = TypeColour(caption);
  const QImage& image = cache_.Image(imageIndex);
  if (imageIndex != -1 && !image.isNull()) {
    painter->drawImage(picture.topLeft(), image);
    FrameRect(*painter, picture.adjusted(-1, -1, 1, 1), typeColour);
  } else {
    FrameRect(*painter, picture, typeColour);
    picture.setTop(picture.top() + kNoThumbnailDrop);
    painter->setBackground(typeColour);
    DrawWrapped(*painter, picture, QLatin1String(kNoThumbnail));
  }

  const QColor outer = selected ? QColor(255, 0, 0) : kGrey;
  const QColor inner = selected ? QColor(255, 255, 0) : kGrey;
  FrameRect(*painter, cell, outer);
  FrameRect(*painter, cell.adjusted(1, 1, -1, -1), inner);
  // The frame's yellow behind the cream text would leave a selected caption unreadable: it
  // gets the system's highlight colours instead.
  if (selected) {
    painter->setBackground(option.palette.color(QPalette::Highlight));
    painter->setPen(option.palette.color(QPalette::HighlightedText));
  } else {
    painter->setBackground(inner);
  }
  DrawWrapped(*painter, LabelRect(cell, s), caption);
  painter->restore();
}

}  // namespace vistrel
