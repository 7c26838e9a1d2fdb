#include "snapshots/colour_box.h"

#include <QPixmap>

#include "snapshots/snapshot_compose.h"

namespace vistrel {

namespace {

struct NamedColour {
  const char* name;
  int value;  // 0x00BBGGRR
};

constexpr NamedColour kNamedColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

}  // namespace

ColourBox::ColourBox(QWidget* parent) : QComboBox(parent) {
  for (const NamedColour& colour : kNamedColours)
    AddColour(QLatin1String(colour.name), colour.value);
}

void ColourBox::AddColour(const QString& name, int value) {
  QPixmap swatch(16, 12);
  swatch.fill(ColourOfValue(value));
  addItem(QIcon(swatch), name, value);
}

int ColourBox::Value() const { return currentData().toInt(); }

void ColourBox::SetValue(int value) {
  value &= 0xFFFFFF;
  int index = findData(value);
  if (index < 0) {
    const QColor colour = ColourOfValue(value);
    AddColour(colour.name(), value);
    index = count() - 1;
  }
  setCurrentIndex(index);
}

}  // namespace vistrel
