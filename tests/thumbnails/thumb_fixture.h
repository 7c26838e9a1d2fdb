#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <ostream>

#include "temp_folder.h"

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace vistrel::testing {

// A 130 x 100 JPEG of one colour at relative below folder; returns its full path.
QString WriteThumbJpeg(TempFolder& folder, const QString& relative, const QColor& colour);

// Whether the colour of the pixel is within a JPEG's rounding of expected.
bool NearColour(QRgb pixel, const QColor& expected, int tolerance = 12);

}  // namespace vistrel::testing
