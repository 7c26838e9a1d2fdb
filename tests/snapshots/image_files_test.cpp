#include "snapshots/image_files.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>

#include "temp_folder.h"

namespace vistrel {
namespace {

QImage Gradient(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixelColor(x, y, QColor(x * 255 / width, y * 255 / height, 128));
  return image;
}

int Le32(const QByteArray& bytes, int at) {
  return int(quint8(bytes[at])) | int(quint8(bytes[at + 1])) << 8 |
         int(quint8(bytes[at + 2])) << 16 | int(quint8(bytes[at + 3])) << 24;
}

// The first luminance quantiser value and the components' sampling factors, read from the
// DQT and SOF0 markers.
struct JpegHeader {
  int firstQuantiser = -1;
  std::vector<int> sampling;
};

JpegHeader ReadHeader(const QByteArray& jpeg) {
  JpegHeader header;
  int at = 2;
  while (at + 4 <= jpeg.size() && quint8(jpeg[at]) == 0xFF) {
    const int marker = quint8(jpeg[at + 1]);
    const int length = quint8(jpeg[at + 2]) << 8 | quint8(jpeg[at + 3]);
    if (marker == 0xDB && header.firstQuantiser < 0) header.firstQuantiser = quint8(jpeg[at + 5]);
    if (marker == 0xC0) {
      const int components = quint8(jpeg[at + 9]);
      for (int c = 0; c < components; ++c) header.sampling.push_back(quint8(jpeg[at + 11 + 3 * c]));
    }
    if (marker == 0xDA) break;
    at += 2 + length;
  }
  return header;
}

TEST(JpegCodecTest, RoundTripKeepsSizeAndColours) {
  const QImage source = Gradient(97, 61);
  QByteArray jpeg;
  ASSERT_TRUE(EncodeJpeg(source, kSnapshotJpeg, &jpeg));
  ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));
  QString error;
  const QImage decoded = DecodeJpeg(jpeg, &error);
  ASSERT_EQ(decoded.size(), source.size()) << error.toStdString();
  long long difference = 0;
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x) {
      const QColor a = source.pixelColor(x, y), b = decoded.pixelColor(x, y);
      difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                    std::abs(a.blue() - b.blue());
    }
  EXPECT_LT(double(difference) / (source.width() * source.height() * 3), 3.0);
}

TEST(JpegCodecTest, QualityAndChromaOfSnapshotsAndThumbnails) {
  const QImage source = Gradient(64, 48);
  QByteArray snapshot, thumbnail;
  ASSERT_TRUE(EncodeJpeg(source, kSnapshotJpeg, &snapshot));
  ASSERT_TRUE(EncodeJpeg(source, kThumbnailJpeg, &thumbnail));
  // The standard table's 16 scaled to 50 % for quality 75, to 60 % for quality 70.
  const JpegHeader snap = ReadHeader(snapshot), thumb = ReadHeader(thumbnail);
  EXPECT_EQ(snap.firstQuantiser, 8);
  EXPECT_EQ(thumb.firstQuantiser, 10);
  EXPECT_EQ(snap.sampling, (std::vector<int>{0x11, 0x11, 0x11}));
  EXPECT_EQ(thumb.sampling, (std::vector<int>{0x22, 0x11, 0x11}));
}

TEST(JpegCodecTest, BadDataGivesAnErrorNotACrash) {
  QString error;
  EXPECT_TRUE(DecodeJpeg(QByteArray("not a jpeg at all"), &error).isNull());
  EXPECT_TRUE(error.startsWith(QStringLiteral("JPEG error: "))) << error.toStdString();
  EXPECT_TRUE(DecodeJpeg(QByteArray(), &error).isNull());
  QByteArray jpeg;
  EXPECT_FALSE(EncodeJpeg(QImage(), kSnapshotJpeg, &jpeg, &error));
}

TEST(BmpFileTest, HeaderRowOrderAndPadding) {
  QImage image(3, 2, QImage::Format_RGB888);
  image.setPixelColor(0, 0, QColor(1, 2, 3));
  image.setPixelColor(1, 0, QColor(4, 5, 6));
  image.setPixelColor(2, 0, QColor(7, 8, 9));
  image.setPixelColor(0, 1, QColor(10, 11, 12));
  image.setPixelColor(1, 1, QColor(13, 14, 15));
  image.setPixelColor(2, 1, QColor(16, 17, 18));
  const QByteArray bmp = EncodeBmp24(image);
  ASSERT_EQ(bmp.size(), 54 + 2 * 12);  // rows of 9 bytes padded to 12
  EXPECT_TRUE(bmp.startsWith("BM"));
  EXPECT_EQ(Le32(bmp, 2), bmp.size());
  EXPECT_EQ(Le32(bmp, 10), 54);
  EXPECT_EQ(Le32(bmp, 14), 40);
  EXPECT_EQ(Le32(bmp, 18), 3);
  EXPECT_EQ(Le32(bmp, 22), 2);
  EXPECT_EQ(Le32(bmp, 26), 1 | 24 << 16);  // planes, bits per pixel
  EXPECT_EQ(Le32(bmp, 30), 0);
  EXPECT_EQ(Le32(bmp, 34), 24);
  // Bottom row first, blue-green-red, three zero bytes of padding.
  const QByteArray expected(
      "\x0C\x0B\x0A\x0F\x0E\x0D\x12\x11\x10\0\0\0"
      "\x03\x02\x01\x06\x05\x04\x09\x08\x07\0\0\0",
      24);
  EXPECT_EQ(bmp.mid(54), expected);
  // Another reader sees the same picture.
  EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB888), image);
}

TEST(ImageFileTest, WritesAndReadsEachKindByExtension) {
  testing::TempFolder folder;
  const QImage source = Gradient(20, 10);
  for (const char* name : {"a.bmp", "b.PNG", "c.jpg", "d.jpeg"}) {
    const QString path = folder.path() + QLatin1String(name);
    QString error;
    ASSERT_TRUE(WriteImageFile(path, source, &error)) << error.toStdString();
    const QImage back = ReadImageFile(path, &error);
    ASSERT_EQ(back.size(), source.size()) << name << error.toStdString();
    if (ImageFileKindOf(path) != ImageFileKind::kJpeg) {
      EXPECT_EQ(back.convertToFormat(QImage::Format_RGB888),
                source.convertToFormat(QImage::Format_RGB888))
          << name;
    }
  }
  EXPECT_TRUE(folder.Read(QStringLiteral("a.bmp")).startsWith("BM"));
  EXPECT_TRUE(folder.Read(QStringLiteral("c.jpg")).startsWith("\xFF\xD8"));
}

TEST(ImageFileTest, FailuresNameTheFileAndLeaveNothingBehind) {
  testing::TempFolder folder;
  QString error;
  const QString missingFolder = folder.path() + QStringLiteral("nowhere/out.jpg");
  EXPECT_FALSE(WriteImageFile(missingFolder, Gradient(4, 4), &error));
  EXPECT_FALSE(QFile::exists(missingFolder));
  EXPECT_FALSE(WriteImageFile(folder.path() + QStringLiteral("out.gif"), Gradient(4, 4), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("out.gif")));
  const QString broken = folder.Write(QStringLiteral("broken.jpg"), "\xFF\xD8garbage");
  EXPECT_TRUE(ReadImageFile(broken, &error).isNull());
  EXPECT_TRUE(error.contains(QStringLiteral("broken.jpg")));
  EXPECT_TRUE(ReadImageFile(folder.path() + QStringLiteral("absent.png"), &error).isNull());
}

}  // namespace
}  // namespace vistrel
