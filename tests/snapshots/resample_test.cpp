#include "snapshots/resample.h"

#include <gtest/gtest.h>

#include <QColor>
#include <cmath>
#include <random>

#include "core/vistrel_error.h"

namespace vistrel {
namespace {

QImage Filled(int width, int height, QColor colour, QImage::Format format = QImage::Format_RGB888) {
  QImage image(width, height, format);
  image.fill(colour);
  return image;
}

QImage Random(int width, int height, unsigned seed, QImage::Format format) {
  std::mt19937 random(seed);
  QImage image(width, height, format);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixelColor(x, y, QColor(random() % 256, random() % 256, random() % 256));
  return image;
}

// The rule written out pixel by pixel in double precision, one axis at a time: the
// independent account the optimised passes are held against.
int ReferenceMirror(int j, int n) {
  while (j < 0 || j >= n) {
    if (j < 0) j = -j;
    if (j >= n) j = 2 * n - j - 1;
    if (n == 1) return 0;
  }
  return j;
}

std::vector<double> ReferenceLine(const std::vector<double>& in, int dst) {
  const int n = static_cast<int>(in.size());
  const double s = (n == 1 || dst == 1) ? double(dst) / n : double(dst - 1) / (n - 1);
  std::vector<double> out(dst);
  for (int i = 0; i < dst; ++i) {
    const double c = i / s;
    const double reach = s < 1 ? 3.0 / s : 3.0;
    double sum = 0;
    for (int j = int(std::floor(c - reach)); j <= int(std::ceil(c + reach)); ++j) {
      const double w = s < 1 ? Lanczos3((c - j) * s) * s : Lanczos3(c - j);
      sum += w * in[ReferenceMirror(j, n)];
    }
    out[i] = sum > 255 ? 255 : sum < 0 ? 0 : std::floor(sum + 0.5);
  }
  return out;
}

QImage ReferenceResample(const QImage& source, QSize size) {
  const int srcW = source.width(), srcH = source.height();
  std::vector<std::vector<double>> inter(srcH * 3);
  for (int y = 0; y < srcH; ++y)
    for (int c = 0; c < 3; ++c) {
      std::vector<double> line(srcW);
      for (int x = 0; x < srcW; ++x) {
        const QColor p = source.pixelColor(x, y);
        line[x] = c == 0 ? p.red() : c == 1 ? p.green() : p.blue();
      }
      inter[y * 3 + c] = srcW == size.width() ? line : ReferenceLine(line, size.width());
    }
  QImage out(size, QImage::Format_RGB888);
  for (int x = 0; x < size.width(); ++x) {
    std::vector<std::vector<double>> columns(3, std::vector<double>(srcH));
    for (int y = 0; y < srcH; ++y)
      for (int c = 0; c < 3; ++c) columns[c][y] = inter[y * 3 + c][x];
    for (int c = 0; c < 3; ++c)
      if (srcH != size.height()) columns[c] = ReferenceLine(columns[c], size.height());
    for (int y = 0; y < size.height(); ++y)
      out.setPixelColor(x, y, QColor(int(columns[0][y]), int(columns[1][y]), int(columns[2][y])));
  }
  return out;
}

// Float sums may round a value lying on a .5 boundary the other way: at most one step,
// and only rarely.
void ExpectMatchesReference(const QImage& source, QSize size) {
  SCOPED_TRACE(QStringLiteral("%1x%2 -> %3x%4")
                   .arg(source.width())
                   .arg(source.height())
                   .arg(size.width())
                   .arg(size.height())
                   .toStdString());
  const QImage actual = ResampleBitmap(source, size);
  const QImage expected = ReferenceResample(source, size);
  ASSERT_EQ(actual.size(), size);
  int offByOne = 0;
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) {
      const QColor a = actual.pixelColor(x, y), e = expected.pixelColor(x, y);
      for (int d : {a.red() - e.red(), a.green() - e.green(), a.blue() - e.blue()}) {
        ASSERT_LE(std::abs(d), 1) << "at " << x << "," << y;
        offByOne += d != 0;
      }
    }
  EXPECT_LE(offByOne, 1 + size.width() * size.height() * 3 / 1000);
}

TEST(Lanczos3Test, KernelValuesAndSupport) {
  EXPECT_DOUBLE_EQ(Lanczos3(0.0), 1.0);
  EXPECT_NEAR(Lanczos3(0.5), 0.6079271, 1e-7);  // (2/pi) * sin(pi/6) / (pi/6)
  EXPECT_NEAR(Lanczos3(-1.5), -0.1350949, 1e-7);
  EXPECT_NEAR(Lanczos3(2.5), 0.0243171, 1e-7);
  // Exact zeros at the integers keep an unscaled axis an exact copy.
  EXPECT_EQ(Lanczos3(1.0), 0.0);
  EXPECT_EQ(Lanczos3(-2.0), 0.0);
  EXPECT_EQ(Lanczos3(3.0), 0.0);
  EXPECT_EQ(Lanczos3(-3.2), 0.0);
}

TEST(Lanczos3Test, MirroringReflectsAtBothEdgesAndStaysInsideNarrowSources) {
  EXPECT_EQ(MirrorIndex(-1, 5), 1);
  EXPECT_EQ(MirrorIndex(-3, 5), 3);
  EXPECT_EQ(MirrorIndex(5, 5), 4);
  EXPECT_EQ(MirrorIndex(7, 5), 2);
  // Reach wider than the source: reflections repeat until the index lands inside.
  EXPECT_EQ(MirrorIndex(-3, 2), 0);  // 3 -> 0
  EXPECT_EQ(MirrorIndex(4, 2), 1);   // -1 -> 1
  EXPECT_EQ(MirrorIndex(-40, 3), ReferenceMirror(-40, 3));
  EXPECT_EQ(MirrorIndex(1000003, 7), ReferenceMirror(1000003, 7));
  for (int j = -20; j <= 20; ++j) EXPECT_EQ(MirrorIndex(j, 1), 0);
}

TEST(ResampleBitmapTest, HandComputedEnlargementIsUnnormalisedAndMirrored) {
  // Red 0 and 255 enlarged to three pixels: the middle is 255 * (L(2.5) + 2 L(1.5) +
  // L(0.5)) = 92.32, not the 128 a normalised filter would give.
  QImage source(2, 1, QImage::Format_RGB888);
  source.setPixelColor(0, 0, QColor(0, 255, 40));
  source.setPixelColor(1, 0, QColor(255, 0, 40));
  const QImage out = ResampleBitmap(source, QSize(3, 1));
  ASSERT_EQ(out.format(), QImage::Format_RGB888);
  EXPECT_EQ(out.pixelColor(0, 0), QColor(0, 255, 40));
  EXPECT_EQ(out.pixelColor(1, 0).red(), 92);
  // 255 * (L(0.5) + L(2.5)) = 161.2, and 40 * 0.9943 = 39.8.
  EXPECT_EQ(out.pixelColor(1, 0).green(), 161);
  EXPECT_EQ(out.pixelColor(1, 0).blue(), 40);
  EXPECT_EQ(out.pixelColor(2, 0), QColor(255, 0, 40));
}

TEST(ResampleBitmapTest, OvershootIsClampedNotWrapped) {
  QImage source(4, 1, QImage::Format_RGB888);
  for (int x = 0; x < 4; ++x) source.setPixelColor(x, 0, x < 2 ? Qt::black : Qt::white);
  const QImage out = ResampleBitmap(source, QSize(13, 1));
  // Ringing: pixel 3 sums to -24 (would wrap to 232), pixel 9 to 280 (would wrap to 24).
  EXPECT_EQ(out.pixelColor(3, 0), QColor(Qt::black));
  EXPECT_EQ(out.pixelColor(9, 0), QColor(Qt::white));
}

TEST(ResampleBitmapTest, FlatAreaShrinksEvenlyEdgesIncluded) {
  // Shrinking weights sum to 0.99705 everywhere, edges mirrored included. The rows pass
  // makes 200 into 199.41 -> 199, the columns pass 199 into 198.41 -> 198 (kept unrounded
  // in between it would be 198.82 -> 199).
  const QImage out = ResampleBitmap(Filled(1600, 120, QColor(200, 200, 200)), QSize(130, 10));
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x)
      ASSERT_EQ(out.pixelColor(x, y), QColor(198, 198, 198)) << x << "," << y;
}

TEST(ResampleBitmapTest, EqualSizeIsAnExactCopyInAnyPixelFormat) {
  for (QImage::Format format :
       {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_ARGB32_Premultiplied}) {
    const QImage source = Random(37, 23, 7, format);
    EXPECT_EQ(ResampleBitmap(source, source.size()), source.convertToFormat(QImage::Format_RGB888));
  }
  // Only one axis scaled.
  ExpectMatchesReference(Random(40, 30, 9, QImage::Format_RGB32), QSize(40, 9));
  ExpectMatchesReference(Random(40, 30, 10, QImage::Format_RGB32), QSize(25, 30));
}

TEST(ResampleBitmapTest, MatchesThePixelRuleForShrinkEnlargeAndNarrowSources) {
  // 32-bit sources keep their channels apart (a swapped red and blue would show here).
  ExpectMatchesReference(Random(160, 120, 1, QImage::Format_RGB32), QSize(13, 10));
  ExpectMatchesReference(Random(80, 60, 2, QImage::Format_RGB888), QSize(40, 30));
  ExpectMatchesReference(Random(7, 5, 3, QImage::Format_RGB32), QSize(30, 21));
  ExpectMatchesReference(Random(2, 3, 4, QImage::Format_RGB888), QSize(17, 2));
  ExpectMatchesReference(Random(50, 40, 5, QImage::Format_ARGB32), QSize(61, 13));
  // Wide enough for the row pass to be split across threads.
  ExpectMatchesReference(Random(900, 400, 6, QImage::Format_RGB32), QSize(130, 100));
}

TEST(ResampleBitmapTest, PortableSumsAgreeWithTheVectorOnes) {
  // Machines without AVX2 take the four-lane sums; run them here too.
  const QImage source = Random(300, 40, 11, QImage::Format_RGB32);
  const QImage wide = ResampleBitmap(source, QSize(77, 9));
  qputenv("VISTREL_RESAMPLE_PLAIN", "1");
  const QImage plain = ResampleBitmap(source, QSize(77, 9));
  ExpectMatchesReference(source, QSize(77, 9));
  qunsetenv("VISTREL_RESAMPLE_PLAIN");
  int differing = 0;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 77; ++x) differing += plain.pixelColor(x, y) != wide.pixelColor(x, y);
  EXPECT_LE(differing, 2);
}

TEST(ResampleBitmapTest, OnePixelSourcesAndDestinations) {
  // One pixel widened: the first centre is 0 (weight 1, exact), the others sum the
  // mirrored taps of the same pixel.
  const QImage dot = Filled(1, 1, QColor(10, 100, 250));
  const QImage wide = ResampleBitmap(dot, QSize(3, 2));
  EXPECT_EQ(wide.pixelColor(0, 0), QColor(10, 100, 250));
  ExpectMatchesReference(dot, QSize(3, 2));
  // A one-pixel destination has no (dst - 1) / (src - 1) scale; it must still be the
  // flat colour, not the result of dividing by zero.
  const QImage flat = Filled(9, 6, QColor(120, 60, 30));
  const QColor one = ResampleBitmap(flat, QSize(1, 1)).pixelColor(0, 0);
  EXPECT_NEAR(one.red(), 120, 1);
  EXPECT_NEAR(one.green(), 60, 1);
  EXPECT_NEAR(one.blue(), 30, 1);
  ExpectMatchesReference(Random(9, 6, 8, QImage::Format_RGB888), QSize(1, 4));
}

TEST(ResampleBitmapTest, RefusesAnEmptySource) {
  try {
    ResampleBitmap(QImage(), QSize(10, 10));
    FAIL() << "no error";
  } catch (const VistrelError& error) {
    EXPECT_EQ(error.message(), QStringLiteral("Source bitmap too small"));
  }
  EXPECT_TRUE(ResampleBitmap(Filled(4, 4, Qt::red), QSize(0, 5)).isNull());
}

}  // namespace
}  // namespace vistrel
