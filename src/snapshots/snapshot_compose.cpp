#include "snapshots/snapshot_compose.h"

#include <QPainter>

#include "snapshots/resample.h"

namespace vistrel {

namespace {

// Fills the rectangle, clipped to the image; an empty or inverted one fills nothing.
void FillEdgeRect(QPainter& painter, const EdgeRect& rect, const QColor& colour) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  painter.fillRect(QRect(rect.left, rect.top, rect.width(), rect.height()), colour);
}

// The one-pixel outline of the rectangle: its first and last columns and rows.
void FrameEdgeRect(QPainter& painter, const EdgeRect& rect, const QColor& colour) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  FillEdgeRect(painter, EdgeRect{rect.left, rect.top, rect.right, rect.top + 1}, colour);
  FillEdgeRect(painter, EdgeRect{rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
  FillEdgeRect(painter, EdgeRect{rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
  FillEdgeRect(painter, EdgeRect{rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

}  // namespace

QColor ColourOfValue(int value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QImage ScaleCapture(const QImage& capture, const SnapshotSettings& settings) {
  const QImage cropped = (CropX(settings) == 0 && CropY(settings) == 0)
                             ? capture
                             : capture.copy(0, 0, capture.width() - CropX(settings),
                                            capture.height() - CropY(settings));
  return ResampleBitmap(cropped, ScaledPageSize(settings));
}

QImage PaintSaveImg(const SnapshotSettings& settings, QImage* scaledPage) {
  if (settings.OutWidth < 1 || settings.OutHeight < 1) return QImage();
  QImage image(settings.OutWidth, settings.OutHeight, QImage::Format_RGB888);
  if (image.isNull()) return image;
  {
    QPainter painter(&image);
    FillEdgeRect(painter, settings.RectBack, ColourOfValue(settings.BGCol));
    FillEdgeRect(painter, settings.RectShade, ColourOfValue(settings.ShadeCol));
    FillEdgeRect(painter, settings.RectPage, ColourOfValue(16777215));
    if (scaledPage && !scaledPage->isNull()) painter.drawImage(0, 0, *scaledPage);
    const QColor border = ColourOfValue(settings.BorderCol);
    const QSize page = ScaledPageSize(settings);
    for (int k = 1; k <= settings.Border; ++k)
      FrameEdgeRect(painter, EdgeRect{k - 1, k - 1, page.width() - k + 1, page.height() - k + 1},
                    border);
  }
  if (scaledPage) *scaledPage = QImage();
  return image;
}

}  // namespace vistrel
