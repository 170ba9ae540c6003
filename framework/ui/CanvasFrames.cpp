// The raised and sunken edges and the painted frame controls (buttons, combo arrows, check
// boxes) of the canvas, in the palette's button colours.
#include <QPainter>

#include "framework/ui/Canvas.h"

void Canvas::drawEdgeLines(const TRect& rect, TColor topLeft, TColor bottomRight, unsigned sides) {
  if (rect.IsEmpty()) return;
  const QRect area(rect.Left, rect.Top, rect.Width(), rect.Height());
  paint(area, [&](QPainter& painter) {
    const QColor light = qn::ui::qtColor(topLeft), dark = qn::ui::qtColor(bottomRight);
    if (sides & sideLeft) painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), light);
    if (sides & sideTop) painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), light);
    if (sides & sideRight) painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), dark);
    if (sides & sideBottom) painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), dark);
  });
}

namespace {

TRect shrunk(TRect rect, unsigned sides) {
  if (sides & sideLeft) ++rect.Left;
  if (sides & sideTop) ++rect.Top;
  if (sides & sideRight) --rect.Right;
  if (sides & sideBottom) --rect.Bottom;
  return rect;
}

}  // namespace

void Canvas::drawEdge(TRect& rect, unsigned edge, unsigned sides) {
  TRect inside = rect;
  if (edge & (edgeRaisedOuter | edgeSunkenOuter)) {
    if (edge & edgeRaisedOuter) drawEdgeLines(inside, cl3DLight, cl3DDkShadow, sides);
    else drawEdgeLines(inside, clBtnShadow, clBtnHighlight, sides);
    inside = shrunk(inside, sides);
  }
  if (edge & (edgeRaisedInner | edgeSunkenInner)) {
    if (edge & edgeRaisedInner) drawEdgeLines(inside, clBtnHighlight, clBtnShadow, sides);
    else drawEdgeLines(inside, cl3DDkShadow, cl3DLight, sides);
    inside = shrunk(inside, sides);
  }
  if (sides & sideMiddle) {
    const CanvasBrush keep = Brush;
    Brush = {clBtnFace, BrushStyle::solid};
    fillRect(inside);
    Brush = keep;
  }
  if (sides & sideAdjust) rect = inside;
}

namespace {

// A downward triangle of rows, each two pixels narrower than the one above, centred on (x, y).
void drawArrow(Canvas& canvas, int centreX, int centreY, int width, TColor color) {
  const int rows = (width + 1) / 2;
  const int top = centreY - rows / 2;
  const CanvasBrush keep = canvas.Brush;
  canvas.Brush = {color, BrushStyle::solid};
  for (int row = 0; row < rows; ++row) {
    const int half = width / 2 - row;
    canvas.fillRect(Rect(centreX - half, top + row, centreX + half + 1, top + row + 1));
  }
  canvas.Brush = keep;
}

// The tick of a check box: seven columns three pixels high, down two and up four.
void drawTick(Canvas& canvas, const TRect& box, TColor color) {
  static constexpr int drop[] = {2, 3, 4, 3, 2, 1, 0};
  const int left = box.Left + (box.Width() - 7) / 2;
  const int top = box.Top + (box.Height() - 7) / 2;
  const CanvasBrush keep = canvas.Brush;
  canvas.Brush = {color, BrushStyle::solid};
  for (int column = 0; column < 7; ++column) canvas.fillRect(Bounds(left + column, top + drop[column], 1, 3));
  canvas.Brush = keep;
}

}  // namespace

void Canvas::drawFrameControl(TRect& rect, FrameControl kind, unsigned state) {
  const bool pushed = state & framePushed, flat = state & frameFlat, inactive = state & frameInactive;
  TRect inside = rect;
  if (kind == FrameControl::checkBox) {
    const int side = std::min(rect.Width(), rect.Height());
    TRect box = Bounds(rect.Left + (rect.Width() - side) / 2, rect.Top + (rect.Height() - side) / 2, side, side);
    drawEdge(box, edgeSunken, sidesAll | sideAdjust);
    const CanvasBrush keep = Brush;
    Brush = {inactive ? clBtnFace : clWindow, BrushStyle::solid};
    fillRect(box);
    Brush = keep;
    if (state & frameChecked) drawTick(*this, box, inactive ? clGrayText : clWindowText);
    if (state & frameAdjustRect) rect = box;
    return;
  }
  if (flat) {
    const CanvasBrush keep = Brush;
    Brush = {clBtnShadow, BrushStyle::solid};
    frameRect(inside);
    Brush = {clBtnFace, BrushStyle::solid};
    inside = shrunk(inside, sidesAll);
    fillRect(inside);
    Brush = keep;
  } else {
    drawEdge(inside, pushed ? edgeSunken : edgeRaised, sidesAll | sideMiddle | sideAdjust);
  }
  if (kind == FrameControl::comboArrow) {
    const int width = std::max(3, (std::min(inside.Width(), inside.Height()) / 2) | 1);
    const int shift = pushed ? 1 : 0;
    const int x = inside.Left + inside.Width() / 2 + shift, y = inside.Top + inside.Height() / 2 + shift;
    if (inactive) {
      drawArrow(*this, x + 1, y + 1, width, clBtnHighlight);
      drawArrow(*this, x, y, width, clBtnShadow);
    } else {
      drawArrow(*this, x, y, width, clBtnText);
    }
  }
  if (state & frameAdjustRect) rect = inside;
}
