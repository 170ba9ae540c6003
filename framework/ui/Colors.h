#pragma once
// The colours the program names, and the system colours: 0x80000000 + an index into one fixed
// palette, so a screen, a bitmap and a printer page show the same button face, highlight and
// window colours whatever desktop theme runs.
#include <QColor>

#include "framework/ui/ColorValue.h"

constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clNavy = 0x00800000;

constexpr TColor systemColorBase = 0x80000000;
constexpr TColor clScrollBar = systemColorBase + 0;
constexpr TColor clBackground = systemColorBase + 1;
constexpr TColor clActiveCaption = systemColorBase + 2;
constexpr TColor clInactiveCaption = systemColorBase + 3;
constexpr TColor clMenu = systemColorBase + 4;
constexpr TColor clWindow = systemColorBase + 5;
constexpr TColor clWindowFrame = systemColorBase + 6;
constexpr TColor clMenuText = systemColorBase + 7;
constexpr TColor clWindowText = systemColorBase + 8;
constexpr TColor clCaptionText = systemColorBase + 9;
constexpr TColor clActiveBorder = systemColorBase + 10;
constexpr TColor clInactiveBorder = systemColorBase + 11;
constexpr TColor clAppWorkSpace = systemColorBase + 12;
constexpr TColor clHighlight = systemColorBase + 13;
constexpr TColor clHighlightText = systemColorBase + 14;
constexpr TColor clBtnFace = systemColorBase + 15;
constexpr TColor clBtnShadow = systemColorBase + 16;
constexpr TColor clGrayText = systemColorBase + 17;
constexpr TColor clBtnText = systemColorBase + 18;
constexpr TColor clInactiveCaptionText = systemColorBase + 19;
constexpr TColor clBtnHighlight = systemColorBase + 20;
constexpr TColor cl3DDkShadow = systemColorBase + 21;
constexpr TColor cl3DLight = systemColorBase + 22;
constexpr TColor clInfoText = systemColorBase + 23;
constexpr TColor clInfoBk = systemColorBase + 24;

namespace qn::ui {

// The 0x00BBGGRR value a colour stands for: system colours through the palette; an index the
// palette lacks gives black, as does any colour whose high byte is neither 0 nor a system mark.
TColor colorToRgb(TColor color);

// The colour for Qt, opaque.
QColor qtColor(TColor color);
// And back: the framework's value of an RGB pixel (its alpha ignored).
TColor colorOfPixel(unsigned pixel);

}  // namespace qn::ui
