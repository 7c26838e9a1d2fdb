#include "app/ui/named_colour_box.h"

#include <QPixmap>

namespace vistrel {

namespace {
struct NamedColour {
  const char* name;
  int value;
};
const NamedColour kColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

QColor ToQColor(int value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}
}  // namespace

NamedColourBox::NamedColourBox(QWidget* parent) : QComboBox(parent) {
  for (const NamedColour& c : kColours) {
    QPixmap swatch(14, 14);
    swatch.fill(ToQColor(c.value));
    addItem(QIcon(swatch), QString::fromLatin1(c.name), c.value);
  }
  setCurrentIndex(-1);
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
    if (index >= 0) Q_EMIT ColourChosen(itemData(index).toInt());
  });
}

void NamedColourBox::SetColour(int value) { setCurrentIndex(findData(value & 0xFFFFFF)); }

int NamedColourBox::Colour() const { return currentIndex() < 0 ? -1 : currentData().toInt(); }

}  // namespace vistrel
