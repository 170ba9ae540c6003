#pragma once
// Small drawing helpers shared by the grid, the navigator, the lookup combo and the edit
// controls, on the framework's canvas and its frame controls.
#include "framework/base/Alignment.h"
#include "framework/base/AnsiString.h"
#include "framework/ui/Control.h"
#include "framework/ui/Geometry.h"

class Canvas;

// The control is being painted as a copy inside a grid cell.
bool IsPaintCopyState(TControlState State);
// A raised button face (flat for Style 2 unless painted as a copy) with three black squares of
// side width / 8 (at least 1), one in the middle and one each side, two sides apart.
void DrawEllipsisButton(Canvas& Canvas, const TRect& Rect, int Style, TControlState State);
// The combo-box arrow button: inactive when disabled; pushed and flat when pressed, except while
// painted as a copy.
void DrawDropDownButton(Canvas& Canvas, const TRect& Rect, bool Pressed, TControlState State, bool Enabled);
// An outline in the highlight colour and a focus rectangle inside it; the text colour becomes the
// highlight colour, brush and pen are kept.
void DrawFocusFrame(Canvas& Canvas, const TRect& Rect);
// One text line (measured on a blank) with two borders and 3 pixels fills the rectangle's height.
bool IsOneLineHigh(const Canvas& Canvas, const TRect& Rect);

class TFont;
// A text's width and height in a font as the screen measures it, for layouts computed before
// anything is painted.
int MeasuredTextWidth(TFont* Font, const AnsiString& Text);
int MeasuredTextHeight(TFont* Font, const AnsiString& Text);

// Flags of DrawEditTextInRect, added up.
enum CellTextFlag : unsigned {
  cellTextAccelerators = 1,  // '&' marks an accelerator
  cellTextEllipsis = 2,      // a cut text ends in "..."; no word breaking
  cellTextWordBreak = 4,
  cellTextOverPixels = 8,  // the text lies over what the cell already shows
};
// The drawText alignment flag of an alignment.
unsigned textAlignmentFormat(TAlignment Alignment);
// An edit's or a cell's text: Flags from CellTextFlag, Rect the control's or the cell's; the
// rectangle is filled with the canvas's brush first unless cellTextOverPixels. It keeps Margin
// pixels on the left and TopOffset above, and never word-breaks in a rectangle one line high.
void DrawEditTextInRect(Canvas& ACanvas, const TRect& Rect, int Margin, unsigned Flags, TAlignment Alignment,
                        const AnsiString& Text, int TopOffset);
