#pragma once
// The one way a TFont reaches Qt. Families the program names map to the installed Liberation
// families in one table (fontconfig would pick any sans family for "MS Sans Serif", "System" or an
// unknown name); a family the installed list lacks takes Liberation Sans, or Liberation Mono when
// it asks for fixed pitch. Sizes go to Qt in pixels for the device's resolution, never as points,
// which Qt would convert with each device's own resolution (96 offscreen, the printer's on a page).
#include <QFont>
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/ui/Font.h"

class QWidget;

namespace qn::ui {

// The installed family a font of that name and pitch is drawn with.
QString installedFamilyFor(const AnsiString& name, TFontPitch pitch = fpDefault);

// The pixel height of the font's letters on a device of that many dots per inch: a size in points
// times dots per inch / 72; a height in pixels scaled from the resolution it was given for.
int fontPixelSize(const TFont& font, int dotsPerInch);

// The font for Qt on a device of that many dots per inch.
QFont qtFont(const TFont& font, int dotsPerInch);

// Gives a control's widget its font (at Screen->PixelsPerInch) and its text colour.
void applyFontToWidget(QWidget* widget, const TFont& font);

// The families installed on this machine, sorted: what a font box offers. The printer offers the
// same list here, since a page is drawn with the screen's fonts.
std::vector<AnsiString> installedFontFamilies();

}  // namespace qn::ui
