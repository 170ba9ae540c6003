#include "framework/ui/ColorPalette.h"

#include <array>

namespace qn::ui {

namespace {

constexpr TColor rgb(unsigned red, unsigned green, unsigned blue) { return static_cast<TColor>(red | green << 8 | blue << 16); }

// The classic desktop scheme the program's screens were laid out in.
constexpr std::array<TColor, 25> systemPalette{
    rgb(192, 192, 192),  // scroll bar
    rgb(0, 128, 128),    // desktop background
    rgb(0, 0, 128),      // active caption
    rgb(128, 128, 128),  // inactive caption
    rgb(192, 192, 192),  // menu
    rgb(255, 255, 255),  // window
    rgb(0, 0, 0),        // window frame
    rgb(0, 0, 0),        // menu text
    rgb(0, 0, 0),        // window text
    rgb(255, 255, 255),  // caption text
    rgb(192, 192, 192),  // active border
    rgb(192, 192, 192),  // inactive border
    rgb(128, 128, 128),  // application work space
    rgb(0, 0, 128),      // highlight
    rgb(255, 255, 255),  // highlight text
    rgb(192, 192, 192),  // button face
    rgb(128, 128, 128),  // button shadow
    rgb(128, 128, 128),  // grey text
    rgb(0, 0, 0),        // button text
    rgb(192, 192, 192),  // inactive caption text
    rgb(255, 255, 255),  // button highlight
    rgb(0, 0, 0),        // 3-D dark shadow
    rgb(223, 223, 223),  // 3-D light
    rgb(0, 0, 0),        // tool-tip text
    rgb(255, 255, 225),  // tool-tip background
};

}  // namespace

TColor colorToRgb(TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  if (isSystemColor(color)) {
    const std::uint32_t index = bits & 0x00FFFFFF;
    return index < systemPalette.size() ? systemPalette[index] : 0;
  }
  return (bits & 0xFF000000) == 0 ? color : 0;
}

QColor qtColor(TColor color) {
  const TColor value = colorToRgb(color);
  return QColor(value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF);
}

TColor colorOfPixel(unsigned pixel) { return rgb(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF); }

}  // namespace qn::ui
