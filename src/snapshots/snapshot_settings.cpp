#include "snapshots/snapshot_settings.h"

#include "core/prompter.h"
#include "settings/program_settings.h"
#include "snapshots/resample.h"

namespace vistrel {

namespace {

const char kNotValidWidth[] = " is not a valid width!";
const char kNotValidHeight[] = " is not a valid height!";
const char kMinimumSize[] = "Minimum size is 10x10 pixels!";
const char kMaximumSize[] = "Maximum size is 2000x3000 pixels!";
const char kNotValidScale[] = " is not a valid scaling factor: (5-100%)!";
const char kNotValidShade[] = " is not a valid shade width: (0-30 pixel)!";
const char kNotValidBorder[] = " is not a valid border width: (0-30 pixel)!";
const char kTooSmall[] =
    "Resulting snapshot would be smaller than 10x10 pixels.\r\n"
    "Please increase size values or scaling factor.";

constexpr int kMinimumSide = 10;
constexpr int kMaximumWidth = 2000;
constexpr int kMaximumHeight = 3000;
constexpr int kMinimumScale = 5;
constexpr int kMaximumScale = 100;
constexpr int kMaximumFrame = 30;

bool Refuse(Prompter& prompter, const QString& text) {
  prompter.Information(text);
  return false;
}

// An integer entry within [minimum, maximum]; the message names the entry's own text.
bool ReadEntry(const QString& text, int minimum, int maximum, int* value) {
  bool ok = false;
  const int number = text.toInt(&ok, 10);
  if (!ok || number < minimum || number > maximum) return false;
  *value = number;
  return true;
}

}  // namespace

// Both records name the stored fields alike.
template <typename From, typename To>
void CopyStoredFields(const From& from, To& to) {
  to.CustomWidth = from.CustomWidth;
  to.CustomHeight = from.CustomHeight;
  to.Scale = from.Scale;
  to.Shade = from.Shade;
  to.Border = from.Border;
  to.BGCol = from.BGCol;
  to.ShadeCol = from.ShadeCol;
  to.BorderCol = from.BorderCol;
  to.CropHori = from.CropHori;
  to.CropVerti = from.CropVerti;
}

SnapshotSettings::SnapshotSettings() { CopyStoredFields(ProgramSettings(), *this); }

SnapshotInput::SnapshotInput() {
  const ProgramSettings defaults;
  bgCol = defaults.BGCol;
  shadeCol = defaults.ShadeCol;
  borderCol = defaults.BorderCol;
}

void LoadStoredSnapshotFields(const ProgramSettings& program, SnapshotSettings& settings) {
  CopyStoredFields(program, settings);
}

void StoreSnapshotFields(const SnapshotSettings& settings, ProgramSettings& program) {
  CopyStoredFields(settings, program);
}

bool TestInput(const SnapshotInput& input, SnapshotSettings& settings, Prompter& prompter) {
  int baseWidth = settings.BrowserWidth;
  int baseHeight = settings.BrowserHeight;
  if (input.custom) {
    bool ok = false;
    const int width = input.width.toInt(&ok, 10);
    if (!ok) return Refuse(prompter, input.width + QLatin1String(kNotValidWidth));
    const int height = input.height.toInt(&ok, 10);
    if (!ok) return Refuse(prompter, input.height + QLatin1String(kNotValidHeight));
    if (width < kMinimumSide || height < kMinimumSide)
      return Refuse(prompter, QLatin1String(kMinimumSize));
    if (width > kMaximumWidth || height > kMaximumHeight)
      return Refuse(prompter, QLatin1String(kMaximumSize));
    settings.CustomWidth = baseWidth = width;
    settings.CustomHeight = baseHeight = height;
  }

  if (!ReadEntry(input.scale, kMinimumScale, kMaximumScale, &settings.Scale))
    return Refuse(prompter, input.scale + QLatin1String(kNotValidScale));
  // The spin buttons hold 0..30, but typed text bypasses them; a negative shade would
  // make the image smaller than the page it has to hold.
  if (!ReadEntry(input.shade, 0, kMaximumFrame, &settings.Shade))
    return Refuse(prompter, input.shade + QLatin1String(kNotValidShade));
  if (!ReadEntry(input.border, 0, kMaximumFrame, &settings.Border))
    return Refuse(prompter, input.border + QLatin1String(kNotValidBorder));

  settings.ScaledWidth = settings.Scale * baseWidth / 100;
  settings.ScaledHeight = settings.Scale * baseHeight / 100;
  settings.CropVerti = input.cropVerti;
  settings.CropHori = input.cropHori;
  const QSize page = ScaledPageSize(settings);
  if (page.width() < kMinimumSide || page.height() < kMinimumSide)
    return Refuse(prompter, QLatin1String(kTooSmall));

  settings.OutWidth = page.width() + settings.Shade;
  settings.OutHeight = page.height() + settings.Shade;
  settings.RectBack = EdgeRect{0, 0, settings.OutWidth, settings.OutHeight};
  settings.RectShade =
      EdgeRect{settings.Shade, settings.Shade, settings.OutWidth, settings.OutHeight};
  settings.RectPage = EdgeRect{0, 0, page.width(), page.height()};

  settings.BGCol = input.bgCol;
  settings.ShadeCol = input.shadeCol;
  settings.BorderCol = input.borderCol;
  settings.ResampleFilter = kLanczos3Filter;
  return true;
}

int CropX(const SnapshotSettings& settings) { return settings.CropVerti ? kScrollBarStrip : 0; }

int CropY(const SnapshotSettings& settings) { return settings.CropHori ? kScrollBarStrip : 0; }

QSize RenderSize(const SnapshotSettings& settings, bool custom) {
  return custom ? QSize(settings.CustomWidth, settings.CustomHeight)
                : QSize(settings.BrowserWidth, settings.BrowserHeight);
}

QSize ScaledPageSize(const SnapshotSettings& settings) {
  return QSize(settings.ScaledWidth - CropX(settings), settings.ScaledHeight - CropY(settings));
}

}  // namespace vistrel
