#include <gtest/gtest.h>

#include <QColor>
#include <initializer_list>

#include "scripted_prompter.h"
#include "snapshots/snapshot_compose.h"
#include "snapshot_input_of.h"
#include "snapshots/snapshot_settings.h"

namespace vistrel {
namespace {

// Validates and returns the message shown ("" when accepted).
QString Validate(const SnapshotInput& input, SnapshotSettings* settings = nullptr) {
  testing::ScriptedPrompter prompter;
  SnapshotSettings local;
  const bool accepted = TestInput(input, settings ? *settings : local, prompter);
  const QStringList texts = prompter.TakeTexts();
  EXPECT_EQ(accepted, texts.isEmpty());
  EXPECT_LE(texts.size(), 1);
  return texts.isEmpty() ? QString() : texts.first();
}

TEST(TestInputTest, SizeEntries) {
  EXPECT_EQ(Validate(SnapshotInputOf("abc", "600")), QStringLiteral("abc is not a valid width!"));
  EXPECT_EQ(Validate(SnapshotInputOf("800", "6x")), QStringLiteral("6x is not a valid height!"));
  EXPECT_EQ(Validate(SnapshotInputOf("", "600")), QStringLiteral(" is not a valid width!"));
  const QString minimum = QStringLiteral("Minimum size is 10x10 pixels!");
  const QString maximum = QStringLiteral("Maximum size is 2000x3000 pixels!");
  EXPECT_EQ(Validate(SnapshotInputOf("9", "600")), minimum);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "9")), minimum);
  EXPECT_EQ(Validate(SnapshotInputOf("2001", "600")), maximum);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "3001")), maximum);
  EXPECT_EQ(Validate(SnapshotInputOf("2000", "3000")), QString());
  EXPECT_EQ(Validate(SnapshotInputOf("10", "10")), QString());
}

TEST(TestInputTest, ScaleShadeAndBorderEntries) {
  const QString scale = QStringLiteral(" is not a valid scaling factor: (5-100%)!");
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "4")), QStringLiteral("4") + scale);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "101")), QStringLiteral("101") + scale);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "half")), QStringLiteral("half") + scale);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "5")), QString());
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "100")), QString());
  const QString shade = QStringLiteral(" is not a valid shade width: (0-30 pixel)!");
  const QString border = QStringLiteral(" is not a valid border width: (0-30 pixel)!");
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "50", "x")), QStringLiteral("x") + shade);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "50", "10", "2.5")),
            QStringLiteral("2.5") + border);
  // Typed past the spin buttons' range: refused with the same messages.
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "50", "-1")), QStringLiteral("-1") + shade);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "50", "31")), QStringLiteral("31") + shade);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "50", "10", "31")),
            QStringLiteral("31") + border);
  EXPECT_EQ(Validate(SnapshotInputOf("800", "600", "50", "0", "30")), QString());
}

TEST(TestInputTest, ResultSmallerThanTenPixels) {
  SnapshotSettings settings;
  EXPECT_EQ(Validate(SnapshotInputOf("100", "100", "10"), &settings), QString());
  EXPECT_EQ(ScaledPageSize(settings), QSize(10, 10));
  SnapshotInput cropped = SnapshotInputOf("100", "100", "10");
  cropped.cropVerti = true;
  EXPECT_EQ(Validate(cropped),
            QStringLiteral("Resulting snapshot would be smaller than 10x10 pixels.\r\n"
                           "Please increase size values or scaling factor."));
  cropped = SnapshotInputOf("260", "100", "10");
  cropped.cropHori = true;
  EXPECT_FALSE(Validate(cropped).isEmpty());
}

TEST(TestInputTest, GeometryOfACroppedScaledShot) {
  SnapshotSettings settings;
  SnapshotInput input = SnapshotInputOf("800", "600", "50", "10", "2");
  input.cropVerti = true;
  input.bgCol = 0x0000FF;
  ASSERT_EQ(Validate(input, &settings), QString());
  EXPECT_EQ(settings.ScaledWidth, 400);
  EXPECT_EQ(settings.ScaledHeight, 300);
  EXPECT_EQ(ScaledPageSize(settings), QSize(384, 300));
  EXPECT_EQ(settings.OutWidth, 394);
  EXPECT_EQ(settings.OutHeight, 310);
  EXPECT_EQ(settings.RectBack, (EdgeRect{0, 0, 394, 310}));
  EXPECT_EQ(settings.RectShade, (EdgeRect{10, 10, 394, 310}));
  EXPECT_EQ(settings.RectPage, (EdgeRect{0, 0, 384, 300}));
  EXPECT_EQ(settings.Border, 2);
  EXPECT_EQ(settings.BGCol, 0x0000FF);
  EXPECT_EQ(RenderSize(settings, true), QSize(800, 600));
  // Truncating division: 33 % of 799 x 601.
  EXPECT_EQ(Validate(SnapshotInputOf("799", "601", "33"), &settings), QString());
  EXPECT_EQ(ScaledPageSize(settings), QSize(263, 198));
}

TEST(TestInputTest, BrowserSizeAndFieldsKeptBeforeAFailure) {
  SnapshotSettings settings;
  settings.BrowserWidth = 1000;
  settings.BrowserHeight = 700;
  SnapshotInput input = SnapshotInputOf("junk", "junk", "20");
  input.custom = false;  // the entries of the custom size are not read at all
  ASSERT_EQ(Validate(input, &settings), QString());
  EXPECT_EQ(ScaledPageSize(settings), QSize(200, 140));
  EXPECT_EQ(RenderSize(settings, false), QSize(1000, 700));
  EXPECT_EQ(settings.CustomWidth, 800);

  // The size passes, the scale fails: the custom size is already taken.
  EXPECT_FALSE(Validate(SnapshotInputOf("640", "480", "500"), &settings).isEmpty());
  EXPECT_EQ(settings.CustomWidth, 640);
  EXPECT_EQ(settings.CustomHeight, 480);
  EXPECT_EQ(settings.Scale, 20);
}

// A validated 200 x 100 page, scale 100, colours easy to tell apart.
SnapshotSettings Layout(const char* shade, const char* border) {
  SnapshotSettings settings;
  SnapshotInput input = SnapshotInputOf("200", "100", "100", shade, border);
  input.bgCol = 0x0000FF;      // red
  input.shadeCol = 0x00FF00;   // green
  input.borderCol = 0xFF0000;  // blue
  EXPECT_EQ(Validate(input, &settings), QString());
  return settings;
}

// The scaled page: one dark colour, so whatever is not page shows.
QImage DarkPage(QImage::Format format) {
  QImage page(200, 100, format);
  page.fill(QColor(9, 9, 9));
  return page;
}

void ExpectColourAt(const QImage& image, std::initializer_list<QPoint> points, QColor colour) {
  for (QPoint p : points) EXPECT_EQ(image.pixelColor(p), colour) << p.x() << "," << p.y();
}

TEST(PaintSaveImgTest, BorderFramesShadowAndBackground) {
  const SnapshotSettings settings = Layout("5", "3");
  QImage page = DarkPage(QImage::Format_RGB32);
  const QImage image = PaintSaveImg(settings, &page);
  ASSERT_EQ(image.size(), QSize(205, 105));
  EXPECT_TRUE(page.isNull());
  const QColor blue(0, 0, 255), red(255, 0, 0), green(0, 255, 0), content(9, 9, 9);
  // Frames (0,0,200,100), (1,1,199,99), (2,2,198,98): the outermost three pixels.
  ExpectColourAt(image,
                 {QPoint(0, 0), QPoint(2, 50), QPoint(199, 99), QPoint(197, 2), QPoint(100, 97),
                  QPoint(198, 50)},
                 blue);
  ExpectColourAt(image, {QPoint(3, 3), QPoint(196, 96), QPoint(100, 50)}, content);
  // Shadow from (5, 5) to the image's corner, background in the two notches it leaves.
  ExpectColourAt(image, {QPoint(200, 5), QPoint(204, 104), QPoint(5, 100)}, green);
  ExpectColourAt(image, {QPoint(204, 4), QPoint(200, 0), QPoint(4, 104), QPoint(0, 100)}, red);
}

TEST(PaintSaveImgTest, NoShadeNoBorderAndTheLayoutPreview) {
  const SnapshotSettings flat = Layout("0", "0");
  QImage page = DarkPage(QImage::Format_RGB888);
  const QImage image = PaintSaveImg(flat, &page);
  ASSERT_EQ(image.size(), QSize(200, 100));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(9, 9, 9));
  EXPECT_EQ(image.pixelColor(199, 99), QColor(9, 9, 9));
  // Composing again without a new page: white page area, frame and shadow only.
  const SnapshotSettings framed = Layout("4", "1");
  const QImage preview = PaintSaveImg(framed, &page);
  EXPECT_EQ(preview.pixelColor(0, 0), QColor(0, 0, 255));
  EXPECT_EQ(preview.pixelColor(1, 1), QColor(Qt::white));
  EXPECT_EQ(preview.pixelColor(203, 103), QColor(0, 255, 0));
}

// Blue page with red 16-pixel scroll-bar strips on the right and bottom.
QImage Capture(int width, int height) {
  QImage capture(width, height, QImage::Format_RGB32);
  capture.fill(Qt::red);
  for (int y = 0; y < height - 16; ++y)
    for (int x = 0; x < width - 16; ++x) capture.setPixelColor(x, y, Qt::blue);
  return capture;
}

TEST(ScaleCaptureTest, CropsTheRightAndBottomStrips) {
  SnapshotSettings settings;
  SnapshotInput input = SnapshotInputOf("116", "126", "100");
  input.cropVerti = true;
  input.cropHori = true;
  ASSERT_EQ(Validate(input, &settings), QString());
  const QImage capture = Capture(116, 126);
  const QImage page = ScaleCapture(capture, settings);
  ASSERT_EQ(page.size(), QSize(100, 110));
  EXPECT_EQ(page, QImage(capture.copy(0, 0, 100, 110)).convertToFormat(QImage::Format_RGB888));

  // At half scale the strips are still cut from the capture in full: no red at the edges.
  input.scale = QStringLiteral("50");
  input.width = QStringLiteral("232");
  input.height = QStringLiteral("252");
  ASSERT_EQ(Validate(input, &settings), QString());
  const QImage half = ScaleCapture(Capture(232, 252), settings);
  ASSERT_EQ(half.size(), QSize(100, 110));
  EXPECT_EQ(half.pixelColor(99, 109).red(), 0);
  EXPECT_EQ(half.pixelColor(99, 0).red(), 0);
  EXPECT_GT(half.pixelColor(99, 109).blue(), 250);
}

}  // namespace
}  // namespace vistrel
