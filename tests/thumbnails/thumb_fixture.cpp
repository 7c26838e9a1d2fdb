#include "thumb_fixture.h"

#include <cstdlib>

#include "snapshots/jpeg_codec.h"

namespace vistrel::testing {

QString WriteThumbJpeg(TempFolder& folder, const QString& relative, const QColor& colour) {
  QImage image(130, 100, QImage::Format_RGB888);
  image.fill(colour);
  QByteArray jpeg;
  EncodeJpeg(image, kThumbnailJpeg, &jpeg);
  return folder.Write(relative, jpeg);
}

bool NearColour(QRgb pixel, const QColor& expected, int tolerance) {
  return std::abs(qRed(pixel) - expected.red()) <= tolerance &&
         std::abs(qGreen(pixel) - expected.green()) <= tolerance &&
         std::abs(qBlue(pixel) - expected.blue()) <= tolerance;
}

}  // namespace vistrel::testing
