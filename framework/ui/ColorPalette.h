#pragma once
// The system colours resolved through one fixed palette, so a screen, a bitmap and a printer page
// show the same button face, highlight and window colours whatever desktop theme runs; and the
// conversions between the framework's colours and Qt's.
#include <QColor>

#include "framework/ui/Color.h"

namespace qn::ui {

// The 0x00BBGGRR value a colour stands for: system colours through the palette; an index the
// palette lacks gives black, as does any colour whose high byte is neither 0 nor a system mark.
TColor colorToRgb(TColor color);

// The colour for Qt, opaque.
QColor qtColor(TColor color);
// And back: the framework's value of an RGB pixel (its alpha ignored).
TColor colorOfPixel(unsigned pixel);

}  // namespace qn::ui
