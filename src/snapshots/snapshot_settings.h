#pragma once

#include <QSize>
#include <QString>

#include "snapshots/resample.h"

namespace vistrel {

class Prompter;
struct ProgramSettings;

// A rectangle by its edges; right and bottom are outside it, so (0, 0, w, h) is w x h.
struct EdgeRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const EdgeRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

enum class SnapshotFormat { kJpeg = 1, kBmp = 2 };

// The snapshot request and options. Colours are 0x00BBGGRR values. The stored fields start
// with the program settings' defaults.
struct SnapshotSettings {
  SnapshotSettings();

  QString FileName;
  QString Ext = QStringLiteral(".jpg");
  SnapshotFormat Format = SnapshotFormat::kJpeg;
  int ResampleFilter = kLanczos3Filter;
  bool Batch = false;
  int SourcePage = 0;
  int SelCount = 0;
  int ItemCount = 0;
  int CustomWidth;
  int CustomHeight;
  int BrowserWidth = 0;
  int BrowserHeight = 0;
  int ScaledWidth = 0;
  int ScaledHeight = 0;
  int OutWidth = 0;
  int OutHeight = 0;
  int Scale;
  int Shade;
  int Border;
  int BGCol;
  int ShadeCol;
  int BorderCol;
  EdgeRect RectBack;
  EdgeRect RectPage;
  EdgeRect RectShade;
  bool CropHori;
  bool CropVerti;
};

// The stored fields travel with the program settings file.
void LoadStoredSnapshotFields(const ProgramSettings& program, SnapshotSettings& settings);
void StoreSnapshotFields(const SnapshotSettings& settings, ProgramSettings& program);

// What the options window's entries hold when the snapshot is validated.
struct SnapshotInput {
  SnapshotInput();
  bool custom = true;  // the custom base size is chosen, not the browser's size
  QString width;
  QString height;
  QString scale;
  QString shade;
  QString border;
  bool cropVerti = false;
  bool cropHori = false;
  int bgCol;  // the colour boxes start with the program settings' default colours
  int shadeCol;
  int borderCol;
};

// Validates the entries and computes the geometry into settings. The first refused entry
// shows its message and gives false; fields stored before it stay stored.
bool TestInput(const SnapshotInput& input, SnapshotSettings& settings, Prompter& prompter);

// The scroll-bar strips cut off the right (vertical crop) and bottom (horizontal crop).
constexpr int kScrollBarStrip = 16;
int CropX(const SnapshotSettings& settings);
int CropY(const SnapshotSettings& settings);

// The size the page is rendered at: the custom size when chosen, else the browser's.
QSize RenderSize(const SnapshotSettings& settings, bool custom);

// The scaled page without the cropped strips, (ScaledWidth - CropX) x (ScaledHeight - CropY).
QSize ScaledPageSize(const SnapshotSettings& settings);

}  // namespace vistrel
