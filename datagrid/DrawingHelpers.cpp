#include "datagrid/DrawingHelpers.h"

#include <QImage>
#include <algorithm>

#include "framework/ui/Canvas.h"
#include "framework/ui/Color.h"
#include "framework/ui/Font.h"
#include "framework/ui/ScreenFacts.h"

bool IsPaintCopyState(TControlState State) { return State.Contains(csPaintCopy); }

void DrawEllipsisButton(Canvas& Canvas, const TRect& Rect, int Style, TControlState State) {
  TRect face = Rect;
  const unsigned frame = Style == 2 && !IsPaintCopyState(State) ? unsigned{frameFlat} : 0u;
  Canvas.drawFrameControl(face, FrameControl::pushButton, frame);
  const int side = std::max(1, Rect.Width() / 8);
  const int left = Rect.Left + (Rect.Width() - side) / 2;
  const int top = Rect.Top + (Rect.Height() - side) / 2;
  const CanvasBrush kept = Canvas.Brush;
  Canvas.Brush = {clBlack, BrushStyle::solid};
  for (int offset : {-2 * side, 0, 2 * side}) Canvas.fillRect(Bounds(left + offset, top, side, side));
  Canvas.Brush = kept;
}

void DrawDropDownButton(Canvas& Canvas, const TRect& Rect, bool Pressed, TControlState State, bool Enabled) {
  unsigned frame = 0;
  if (!Enabled) frame |= frameInactive;
  if (Pressed && !IsPaintCopyState(State)) frame |= framePushed | frameFlat;
  TRect button = Rect;
  Canvas.drawFrameControl(button, FrameControl::comboArrow, frame);
}

void DrawFocusFrame(Canvas& Canvas, const TRect& Rect) {
  const CanvasBrush keptBrush = Canvas.Brush;
  const CanvasPen keptPen = Canvas.Pen;
  Canvas.Brush.Style = BrushStyle::clear;
  Canvas.Pen = {clHighlight, 1, PenStyle::solid};
  Canvas.drawRectangle(Rect);
  Canvas.Font()->SetColor(clHighlight);
  Canvas.DrawFocusRect(Rect);
  Canvas.Brush = keptBrush;
  Canvas.Pen = keptPen;
}

unsigned textAlignmentFormat(TAlignment Alignment) {
  return Alignment == taRightJustify ? textRight : Alignment == taCenter ? textCentre : textLeft;
}

void DrawEditTextInRect(Canvas& ACanvas, const TRect& Rect, int Margin, unsigned Flags, TAlignment Alignment,
                        const AnsiString& Text, int TopOffset) {
  const int width = Rect.Width();
  const int height = Rect.Height();
  int left = Margin;
  int right = width;
  if (Alignment == taRightJustify) right = width - 2;
  if (Alignment == taCenter) left = Margin < 4 ? 0 : 2;
  TRect inner{Rect.Left + left, Rect.Top + TopOffset, Rect.Left + right, Rect.Top + height - 1};
  if (!(Flags & cellTextOverPixels)) {
    ACanvas.Brush.Style = BrushStyle::solid;
    ACanvas.fillRect(Rect);
  }
  unsigned format = textExpandTabs | textNoPrefix | textAlignmentFormat(Alignment);
  if (Flags & cellTextAccelerators) format &= ~unsigned{textNoPrefix};
  if (Flags & cellTextWordBreak) format |= textWordBreak;
  // One text line plus the two border pixels and 3 pixels of room.
  const bool oneLineHigh = inner.Height() <= ACanvas.textHeight("Wg") + 2 + 3;
  if (oneLineHigh || (Flags & cellTextEllipsis)) format &= ~unsigned{textWordBreak};
  if (Flags & cellTextEllipsis) format |= textEndEllipsis;
  ACanvas.drawText(inner, Text, format | textTransparent);
}

bool IsOneLineHigh(const Canvas& Canvas, const TRect& Rect) {
  return Canvas.textHeight(" ") + 2 * qn::ui::screenFacts().borderHeight + 3 >= Rect.Height();
}

namespace {

template <typename Measure>
int MeasureIn(TFont* Font, Measure measure) {
  QImage image(1, 1, QImage::Format_RGB32);
  Canvas canvas(&image);
  canvas.SetFont(Font);
  return measure(canvas);
}

}  // namespace

int MeasuredTextWidth(TFont* Font, const AnsiString& Text) {
  return MeasureIn(Font, [&Text](const Canvas& c) { return c.textWidth(Text); });
}

int MeasuredTextHeight(TFont* Font, const AnsiString& Text) {
  return MeasureIn(Font, [&Text](const Canvas& c) { return c.textHeight(Text); });
}
