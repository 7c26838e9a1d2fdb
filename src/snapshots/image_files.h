#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "snapshots/jpeg_codec.h"

namespace vistrel {

// A 24-bit Windows bitmap: file and info headers, rows bottom-up in blue-green-red order,
// each row padded to a multiple of 4 bytes. Empty for a null image.
QByteArray EncodeBmp24(const QImage& image);

// Image files chosen by extension (".jpg"/".jpeg", ".bmp", ".png", any case).
enum class ImageFileKind { kUnknown, kJpeg, kBmp, kPng };
ImageFileKind ImageFileKindOf(const QString& path);

// Reads a JPEG through libjpeg, BMP and PNG through Qt's own readers. Null and *error
// naming the file on failure.
QImage ReadImageFile(const QString& path, QString* error = nullptr);

// Writes by extension (JPEG with the given options) through a temporary file renamed over
// the target, so a failed write leaves no partial file. False and *error on failure.
bool WriteImageFile(const QString& path, const QImage& image, QString* error = nullptr,
                    const JpegOptions& jpegOptions = kSnapshotJpeg);

}  // namespace vistrel
