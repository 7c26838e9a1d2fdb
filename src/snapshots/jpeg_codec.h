#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vistrel {

struct JpegOptions {
  int quality = 75;
  // Full colour resolution (no chroma subsampling); otherwise 2x2 chroma, libjpeg's default.
  bool fullChroma = true;
};

// Snapshots: quality 75, integer DCT, full colour. Thumbnails: quality 70.
constexpr JpegOptions kSnapshotJpeg{75, true};
constexpr JpegOptions kThumbnailJpeg{70, false};

// Encodes with libjpeg's integer DCT. Any image format is taken as 24-bit colour; false
// and *error for a null image or an encoder failure.
bool EncodeJpeg(const QImage& image, const JpegOptions& options, QByteArray* jpeg,
                QString* error = nullptr);

// Decodes a baseline or progressive JPEG (grey, YCbCr, RGB or CMYK) into an RGB888 image;
// a null image and *error when the data is not a JPEG the decoder can read.
QImage DecodeJpeg(const QByteArray& jpeg, QString* error = nullptr);

}  // namespace vistrel
