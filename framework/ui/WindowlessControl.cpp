#include "framework/ui/WindowlessControl.h"

#include <QPainter>

#include "framework/base/Exception.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SelfPaintedControl.h"

namespace {

SelfPaintedControl* selfPaintedParent(const TControl* control) { return dynamic_cast<SelfPaintedControl*>(control->Parent()); }

}  // namespace

WindowlessControl::WindowlessControl(TComponent* AOwner) : TControl(AOwner) {}

Canvas& WindowlessControl::canvas() {
  if (activeCanvas_) return *activeCanvas_;
  SelfPaintedControl* parent = selfPaintedParent(this);
  if (!parent) throw EInvalidOperation("Control '" + Name() + "' has no canvas to draw on outside its painting.");
  if (!parentImageCanvas_) parentImageCanvas_ = parent->newCanvasOnImage();
  parentImageCanvas_->setOrigin({Left(), Top()});
  parentImageCanvas_->setClipRect(Rect(0, 0, Width(), Height()));
  parentImageCanvas_->Font()->Assign(Font());
  return *parentImageCanvas_;
}

void WindowlessControl::SetParent(TWinControl* Value) {
  parentImageCanvas_.reset();  // it lies on the old parent's image
  TControl::SetParent(Value);
}

void WindowlessControl::paintOn(Canvas& target) {
  target.saveState();
  const TPoint origin = target.origin();
  target.setOrigin({origin.X + Left(), origin.Y + Top()});
  target.setClipRect(Rect(0, 0, Width(), Height()));
  target.Font()->Assign(Font());
  Canvas* previous = activeCanvas_;
  activeCanvas_ = &target;
  try {
    Paint();
  } catch (...) {
    activeCanvas_ = previous;
    target.restoreState();
    throw;
  }
  activeCanvas_ = previous;
  target.restoreState();
}

void WindowlessControl::PaintControl(QPainter& painter) {
  if (selfPaintedParent(this)) return;  // already painted into the parent's image
  // The painter arrives moved to the control's corner and clipped to it.
  Canvas canvas(&painter, Screen->PixelsPerInch());
  canvas.Font()->Assign(Font());
  Canvas* previous = activeCanvas_;
  activeCanvas_ = &canvas;
  try {
    Paint();
  } catch (...) {
    activeCanvas_ = previous;
    throw;
  }
  activeCanvas_ = previous;
}

void WindowlessControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void WindowlessControl::Invalidate() {
  if (SelfPaintedControl* parent = selfPaintedParent(this)) parent->invalidateRect(BoundsRect());
  else TControl::Invalidate();
}

void WindowlessControl::Repaint() {
  if (SelfPaintedControl* parent = selfPaintedParent(this)) {
    parent->invalidateRect(BoundsRect());
    if (parent->hasWindow()) parent->Window()->repaint(Left(), Top(), Width(), Height());
    return;
  }
  TControl::Repaint();
}

void WindowlessControl::MouseEnter() {
  if (mouseInside_) return;
  mouseInside_ = true;
  if (OnMouseEnter) OnMouseEnter(this);
  Invalidate();
}

void WindowlessControl::MouseLeave() {
  if (!mouseInside_) return;
  mouseInside_ = false;
  if (OnMouseLeave) OnMouseLeave(this);
  Invalidate();
}
