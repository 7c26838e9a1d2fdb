#pragma once

#include <QSize>
#include <QString>

namespace vistrel {

// The browser sizes a thumbnail can be rendered at, chosen by THUMB_BASEIDX.
constexpr int kBaseSizeCount = 7;

// "Thumbs Base: 640x480" and so on; "" outside 0..6.
QString BaseSizeCaption(int index);
// The render size of choice index; an invalid size outside 0..6.
QSize BaseSizeOf(int index);

}  // namespace vistrel
