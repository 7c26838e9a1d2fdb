#pragma once

#include <QColor>
#include <QImage>

#include "snapshots/snapshot_settings.h"

namespace vistrel {

// A 0x00BBGGRR colour value as a colour.
QColor ColourOfValue(int value);

// The capture without the cropped scroll-bar strips (right CropX, bottom CropY columns and
// rows), then scaled with Lanczos3 to the scaled page size: the page image of a snapshot.
QImage ScaleCapture(const QImage& capture, const SnapshotSettings& settings);

// Composes the snapshot (RGB888, OutWidth x OutHeight): background, shadow, a white page,
// the scaled page at the top left, and Border one-pixel frames inside the page's edge.
// *scaledPage is drawn and then emptied, so composing again without a new page gives the
// layout alone. Null when the geometry has not been computed.
QImage PaintSaveImg(const SnapshotSettings& settings, QImage* scaledPage);

}  // namespace vistrel
