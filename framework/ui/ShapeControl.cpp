#include "framework/ui/ShapeControl.h"

const EnumerationType kShapeKindType{"ShapeKind", {"shapeRectangle", "shapeEllipse"}};

void ShapeControl::PublishProperties(PropertyPublisher<ShapeControl>& publish) {
  publish.Enumeration("Shape", kShapeKindType, &ShapeControl::Shape, &ShapeControl::SetShape);
  publish.Integer("PenColor", &ShapeControl::PenColor, &ShapeControl::SetPenColor);
  publish.Integer("BrushColor", &ShapeControl::BrushColor, &ShapeControl::SetBrushColor);
}

ShapeControl::ShapeControl(TComponent* AOwner) : WindowlessControl(AOwner) { SetBounds(Left(), Top(), 65, 65); }

void ShapeControl::SetShape(ShapeKind Value) {
  if (Value == shape_) return;
  shape_ = Value;
  Invalidate();
}

void ShapeControl::SetPen(const CanvasPen& Value) {
  pen_ = Value;
  Invalidate();
}

void ShapeControl::SetBrush(const CanvasBrush& Value) {
  brush_ = Value;
  Invalidate();
}

void ShapeControl::Paint() {
  Canvas& c = canvas();
  c.Pen = pen_;
  c.Brush = brush_;
  const TRect whole{0, 0, Width(), Height()};
  if (shape_ == shapeEllipse) c.drawEllipse(whole);
  else c.drawRectangle(whole);
  WindowlessControl::Paint();
}
