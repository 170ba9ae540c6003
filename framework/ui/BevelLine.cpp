#include "framework/ui/BevelLine.h"

const EnumerationType kBevelShapeType{
    "BevelShape", {"bevelBox", "bevelFrame", "bevelTopLine", "bevelBottomLine", "bevelLeftLine", "bevelRightLine", "bevelSpacer"}};
const EnumerationType kBevelStyleType{"BevelStyle", {"bevelLowered", "bevelRaised"}};

void BevelLine::PublishProperties(PropertyPublisher<BevelLine>& publish) {
  publish.Enumeration("Shape", kBevelShapeType, &BevelLine::Shape, &BevelLine::SetShape);
  publish.Enumeration("Style", kBevelStyleType, &BevelLine::Style, &BevelLine::SetStyle);
}

BevelLine::BevelLine(TComponent* AOwner) : WindowlessControl(AOwner) { SetBounds(Left(), Top(), 50, 50); }

void BevelLine::SetShape(BevelShape Value) {
  if (Value == shape_) return;
  shape_ = Value;
  Invalidate();
}

void BevelLine::SetStyle(BevelStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Invalidate();
}

namespace {

void line(Canvas& c, TColor colour, int x1, int y1, int x2, int y2) {
  c.Pen = {colour, 1, PenStyle::solid};
  c.moveTo(x1, y1);
  c.drawLineTo(x2, y2);
}

}  // namespace

void BevelLine::Paint() {
  Canvas& c = canvas();
  // Cut in: shadow first (top, left), highlight after it; raised the other way round.
  const TColor first = style_ == bevelLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = style_ == bevelLowered ? clBtnHighlight : clBtnShadow;
  const int right = Width() - 1, bottom = Height() - 1;
  switch (shape_) {
    case bevelBox: {
      TRect r{0, 0, Width(), Height()};
      c.drawEdge(r, style_ == bevelLowered ? edgeSunkenOuter : edgeRaisedInner, sidesAll);
      break;
    }
    case bevelFrame: {
      TRect outer{0, 0, Width() - 1, Height() - 1};
      TRect inner{1, 1, Width(), Height()};
      c.Brush = {first, BrushStyle::solid};
      c.frameRect(outer);
      c.Brush = {second, BrushStyle::solid};
      c.frameRect(inner);
      break;
    }
    case bevelTopLine:
      line(c, first, 0, 0, Width(), 0);
      line(c, second, 0, 1, Width(), 1);
      break;
    case bevelBottomLine:
      line(c, first, 0, bottom - 1, Width(), bottom - 1);
      line(c, second, 0, bottom, Width(), bottom);
      break;
    case bevelLeftLine:
      line(c, first, 0, 0, 0, Height());
      line(c, second, 1, 0, 1, Height());
      break;
    case bevelRightLine:
      line(c, first, right - 1, 0, right - 1, Height());
      line(c, second, right, 0, right, Height());
      break;
    case bevelSpacer: break;
  }
  WindowlessControl::Paint();
}
