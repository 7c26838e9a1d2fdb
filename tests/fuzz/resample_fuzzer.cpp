// Any bytes as the snapshot options a user can type (sizes, scale, shadow, border, crops)
// and as a resampling request: accepted options give a consistent layout, and every
// picture made has exactly the size asked for.
#include <QImage>

#include "core/prompter.h"
#include "fuzz_target.h"
#include "snapshots/resample.h"
#include "snapshots/snapshot_compose.h"
#include "snapshots/snapshot_settings.h"

using namespace vistrel;

namespace {

class Silent : public Prompter {
 public:
  void Information(const QString&) override {}
  void Error(const QString&) override {}
  int Question(const QString&, QuestionButtons) override { return kAnswerNo; }
  void Beep() override {}
  QStringList OpenFiles(const FileDialogRequest&) override { return {}; }
  QString SaveFile(const FileDialogRequest&) override { return {}; }
  QString Folder(const FileDialogRequest&) override { return {}; }
};

// Pictures are made only up to this many pixels, to keep each run short.
constexpr qint64 kMaxPixels = 64 * 64;

bool Small(QSize size) { return qint64(size.width()) * size.height() <= kMaxPixels; }

QImage Pattern(QSize size, uint8_t seed) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      image.setPixel(x, y, qRgb((x * seed) & 0xFF, (y * 7 + seed) & 0xFF, ((x ^ y) + seed) & 0xFF));
  return image;
}

}  // namespace

VISTREL_FUZZ_ENTRY(resample)(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const uint8_t flags = data[0];
  SnapshotSettings settings;
  settings.BrowserWidth = data[1] * 4;
  settings.BrowserHeight = data[2] * 4;
  const QSize resampleTo(data[3], data[4]);
  const uint8_t seed = data[5];
  const QStringList fields =
      QString::fromLatin1(reinterpret_cast<const char*>(data + 6), qsizetype(size - 6))
          .split(QLatin1Char('\n'));
  SnapshotInput input;
  input.custom = flags & 1;
  input.cropVerti = flags & 2;
  input.cropHori = flags & 4;
  input.width = fields.value(0);
  input.height = fields.value(1);
  input.scale = fields.value(2);
  input.shade = fields.value(3);
  input.border = fields.value(4);
  Silent prompter;
  if (TestInput(input, settings, prompter)) {
    const QSize page = ScaledPageSize(settings);
    FUZZ_CHECK(page.width() > 0 && page.height() > 0);
    FUZZ_CHECK(settings.OutWidth == page.width() + settings.Shade);
    FUZZ_CHECK(settings.OutHeight == page.height() + settings.Shade);
    FUZZ_CHECK(settings.RectPage.right <= settings.RectBack.right &&
               settings.RectPage.bottom <= settings.RectBack.bottom);
    const QSize render = RenderSize(settings, input.custom);
    if (Small(render) && Small(QSize(settings.ScaledWidth, settings.ScaledHeight)) &&
        Small(QSize(settings.OutWidth, settings.OutHeight))) {
      QImage scaled = ScaleCapture(Pattern(render, seed), settings);
      FUZZ_CHECK(scaled.size() == page);
      const QImage composed = PaintSaveImg(settings, &scaled);
      FUZZ_CHECK(composed.size() == QSize(settings.OutWidth, settings.OutHeight));
    }
  }

  // Any source to any size: the size asked for, and an axis that keeps its size is copied.
  const QSize source(1 + (seed & 15), 1 + (seed >> 4));
  if (!resampleTo.isEmpty()) {
    const QImage from = Pattern(source, seed);
    const QImage to = ResampleBitmap(from, resampleTo);
    FUZZ_CHECK(to.size() == resampleTo);
    if (resampleTo == source)
      for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
          FUZZ_CHECK((to.pixel(x, y) & 0xFFFFFF) == (from.pixel(x, y) & 0xFFFFFF));
  }
  return 0;
}
