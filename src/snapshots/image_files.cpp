#include "snapshots/image_files.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <cstring>

#include "core/text_file.h"

namespace vistrel {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void PutLe16(char* at, quint16 value) {
  at[0] = static_cast<char>(value & 0xFF);
  at[1] = static_cast<char>(value >> 8);
}

void PutLe32(char* at, quint32 value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool Fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

}  // namespace

QByteArray EncodeBmp24(const QImage& image) {
  if (image.isNull()) return QByteArray();
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  const int width = rgb.width(), height = rgb.height();
  const qsizetype rowSize = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
  const qsizetype pixelBytes = rowSize * height;
  const qsizetype offset = kFileHeaderSize + kInfoHeaderSize;
  QByteArray bytes(offset + pixelBytes, '\0');
  char* p = bytes.data();
  p[0] = 'B';
  p[1] = 'M';
  PutLe32(p + 2, static_cast<quint32>(offset + pixelBytes));
  PutLe32(p + 10, static_cast<quint32>(offset));
  char* info = p + kFileHeaderSize;
  PutLe32(info, kInfoHeaderSize);
  PutLe32(info + 4, static_cast<quint32>(width));
  PutLe32(info + 8, static_cast<quint32>(height));  // positive: bottom-up rows
  PutLe16(info + 12, 1);                            // planes
  PutLe16(info + 14, 24);                           // bits per pixel
  PutLe32(info + 16, 0);                            // no compression
  PutLe32(info + 20, static_cast<quint32>(pixelBytes));
  // Resolution 96 dpi in pixels per metre; no palette.
  PutLe32(info + 24, 3780);
  PutLe32(info + 28, 3780);
  for (int y = 0; y < height; ++y) {
    const uchar* in = rgb.constScanLine(y);
    char* out = p + offset + rowSize * (height - 1 - y);
    for (int x = 0; x < width; ++x, in += 3, out += 3) {
      out[0] = static_cast<char>(in[2]);
      out[1] = static_cast<char>(in[1]);
      out[2] = static_cast<char>(in[0]);
    }
  }
  return bytes;
}

ImageFileKind ImageFileKindOf(const QString& path) {
  const QString lower = path.toLower();
  if (lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg")))
    return ImageFileKind::kJpeg;
  if (lower.endsWith(QLatin1String(".bmp"))) return ImageFileKind::kBmp;
  if (lower.endsWith(QLatin1String(".png"))) return ImageFileKind::kPng;
  return ImageFileKind::kUnknown;
}

QImage ReadImageFile(const QString& path, QString* error) {
  const ImageFileKind kind = ImageFileKindOf(path);
  if (kind == ImageFileKind::kUnknown) {
    Fail(error, QStringLiteral("Unknown image type (use .jpg, .bmp or .png): ") + path);
    return QImage();
  }
  QByteArray bytes;
  QString readError;
  if (!ReadWholeFile(path, &bytes, &readError)) {
    Fail(error, readError);
    return QImage();
  }
  QImage image;
  QString decodeError;
  if (kind == ImageFileKind::kJpeg) {
    image = DecodeJpeg(bytes, &decodeError);
  } else {
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, kind == ImageFileKind::kBmp ? "bmp" : "png");
    image = reader.read();
    decodeError = reader.errorString();
  }
  if (image.isNull()) Fail(error, path + QStringLiteral(": ") + decodeError);
  return image;
}

bool WriteImageFile(const QString& path, const QImage& image, QString* error,
                    const JpegOptions& jpegOptions) {
  if (image.isNull()) return Fail(error, QStringLiteral("No image to write: ") + path);
  QByteArray bytes;
  switch (ImageFileKindOf(path)) {
    case ImageFileKind::kJpeg: {
      QString encodeError;
      if (!EncodeJpeg(image, jpegOptions, &bytes, &encodeError))
        return Fail(error, path + QStringLiteral(": ") + encodeError);
      break;
    }
    case ImageFileKind::kBmp:
      bytes = EncodeBmp24(image);
      break;
    case ImageFileKind::kPng: {
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      QImageWriter writer(&buffer, "png");
      if (!writer.write(image))
        return Fail(error, path + QStringLiteral(": ") + writer.errorString());
      break;
    }
    case ImageFileKind::kUnknown:
      return Fail(error, QStringLiteral("Unknown image type (use .jpg, .bmp or .png): ") + path);
  }
  return WriteFileAtomically(path, bytes, error);
}

}  // namespace vistrel
