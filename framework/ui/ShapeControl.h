#pragma once
// A plain figure on its parent: a rectangle or an ellipse filling the control, outlined with its
// pen and filled with its brush. A change of either repaints it.
#include "framework/ui/WindowlessControl.h"

enum ShapeKind { shapeRectangle, shapeEllipse };
extern const EnumerationType kShapeKindType;

class ShapeControl : public WindowlessControl {
  QN_PUBLISHED_CLASS(ShapeControl, WindowlessControl)
 public:
  explicit ShapeControl(TComponent* AOwner);

  ShapeKind Shape() const { return shape_; }
  void SetShape(ShapeKind Value);
  const CanvasPen& Pen() const { return pen_; }
  void SetPen(const CanvasPen& Value);
  const CanvasBrush& Brush() const { return brush_; }
  void SetBrush(const CanvasBrush& Value);
  // The pen's and brush's colours by name, as forms set them.
  TColor PenColor() const { return pen_.Color; }
  void SetPenColor(TColor Value) { SetPen({Value, pen_.Width, pen_.Style}); }
  TColor BrushColor() const { return brush_.Color; }
  void SetBrushColor(TColor Value) { SetBrush({Value, brush_.Style}); }

 protected:
  void Paint() override;

 private:
  ShapeKind shape_ = shapeRectangle;
  CanvasPen pen_{clBlack, 1, PenStyle::solid};
  CanvasBrush brush_{clWhite, BrushStyle::solid};
};
