#include "snapshots/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace vistrel {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return; we jump back
// to the call that started the work. Only plain data and objects created before the
// jump target live in the frames it crosses.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void ExitWithError(j_common_ptr info) {
  ErrorManager* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

// Warnings (corrupt but decodable data) are not worth a message.
void IgnoreMessage(j_common_ptr, int) {}

void SetError(QString* error, const QString& text) {
  if (error) *error = text;
}

}  // namespace

bool EncodeJpeg(const QImage& image, const JpegOptions& options, QByteArray* jpeg, QString* error) {
  if (image.isNull()) {
    SetError(error, QStringLiteral("No image to encode"));
    return false;
  }
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct info;
  ErrorManager manager;
  info.err = jpeg_std_error(&manager.base);
  manager.base.error_exit = ExitWithError;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(manager.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    SetError(error, QStringLiteral("JPEG error: ") + QString::fromLocal8Bit(manager.message));
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.quality, TRUE);
  info.dct_method = JDCT_ISLOW;
  if (options.fullChroma) {
    for (int c = 0; c < info.num_components; ++c) {
      info.comp_info[c].h_samp_factor = 1;
      info.comp_info[c].v_samp_factor = 1;
    }
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  *jpeg = QByteArray(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  std::free(buffer);
  return true;
}

QImage DecodeJpeg(const QByteArray& jpeg, QString* error) {
  QImage image;
  if (jpeg.isEmpty()) {
    SetError(error, QStringLiteral("JPEG error: empty data"));
    return image;
  }
  jpeg_decompress_struct info;
  ErrorManager manager;
  info.err = jpeg_std_error(&manager.base);
  manager.base.error_exit = ExitWithError;
  manager.base.emit_message = IgnoreMessage;
  if (setjmp(manager.jump)) {
    jpeg_destroy_decompress(&info);
    SetError(error, QStringLiteral("JPEG error: ") + QString::fromLocal8Bit(manager.message));
    return QImage();
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.constData()),
               static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&info, TRUE);
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  info.dct_method = JDCT_ISLOW;
  jpeg_start_decompress(&info);
  image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 cmyk ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
  if (image.isNull()) {
    jpeg_destroy_decompress(&info);
    SetError(error, QStringLiteral("JPEG error: image too large"));
    return QImage();
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  // Adobe writes CMYK inverted (255 = no ink); others write the ink amounts.
  const bool inverted = info.saw_Adobe_marker;
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  if (!cmyk) return image;

  QImage rgb(image.width(), image.height(), QImage::Format_RGB888);
  for (int y = 0; y < image.height(); ++y) {
    const uchar* in = image.constScanLine(y);
    uchar* out = rgb.scanLine(y);
    for (int x = 0; x < image.width(); ++x, in += 4, out += 3) {
      const int lightK = inverted ? in[3] : 255 - in[3];
      for (int c = 0; c < 3; ++c) {
        const int light = inverted ? in[c] : 255 - in[c];
        out[c] = static_cast<uchar>((light * lightK + 127) / 255);
      }
    }
  }
  return rgb;
}

}  // namespace vistrel
