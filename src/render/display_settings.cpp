#include "render/display_settings.h"

#include <cmath>

namespace vistrel {

bool BrowserDisplaySettings::operator==(const BrowserDisplaySettings& other) const {
  return FontName == other.FontName && FontColor == other.FontColor && FontSize == other.FontSize &&
         LinkColor == other.LinkColor && Background == other.Background &&
         ShowImages == other.ShowImages;
}

QString CssColour(int value) {
  const int red = value & 0xFF;
  const int green = (value >> 8) & 0xFF;
  const int blue = (value >> 16) & 0xFF;
  return QStringLiteral("#%1%2%3")
      .arg(red, 2, 16, QLatin1Char('0'))
      .arg(green, 2, 16, QLatin1Char('0'))
      .arg(blue, 2, 16, QLatin1Char('0'));
}

int PixelsOfPoints(int points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

QString DefaultsStyleSheet(const BrowserDisplaySettings& settings) {
  return QStringLiteral(
             ":where(html) { color: %1; }\n"
             ":where(body:not([link]) a:link) { color: %2; }\n")
      .arg(CssColour(settings.FontColor), CssColour(settings.LinkColor));
}

}  // namespace vistrel
