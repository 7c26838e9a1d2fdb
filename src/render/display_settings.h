#pragma once

#include <QString>

namespace vistrel {

// What the user may change about how the browser shows a page that does not say otherwise.
// Colours are 0x00BBGGRR values like every colour of the program; the size is in points.
struct BrowserDisplaySettings {
  QString FontName = QStringLiteral("Times New Roman");  // empty: the engine's own choice
  int FontColor = 0;                                     // black
  int FontSize = 12;
  int LinkColor = 16711680;   // blue
  int Background = 16777215;  // white
  bool ShowImages = true;

  bool operator==(const BrowserDisplaySettings& other) const;
  bool operator!=(const BrowserDisplaySettings& other) const { return !(*this == other); }
};

// "#rrggbb" of a 0x00BBGGRR value.
QString CssColour(int value);

// CSS pixels of a font size in points, as the engine's default font size wants it.
int PixelsOfPoints(int points);

// Style rules that give the default text and link colours while letting the page's own
// styles and its body attributes (text=, link=) win: every selector has zero specificity,
// text colour is inherited from the root, and the link colour only applies when the body
// names none.
QString DefaultsStyleSheet(const BrowserDisplaySettings& settings);

}  // namespace vistrel
