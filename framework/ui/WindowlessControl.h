#pragma once
// A control without a window of its own: it paints on its parent's canvas (moved to its corner
// and clipped to it), hears the mouse through its parent, and knows whether the mouse is over it
// (enter and leave repaint it). On a self-painted parent it paints into the parent's image; on
// a parent Qt draws, through a painter over the parent's window.
#include <memory>

#include "framework/ui/Canvas.h"
#include "framework/ui/Control.h"

class WindowlessControl : public TControl {
  QN_CLASS(WindowlessControl, TControl)
 public:
  explicit WindowlessControl(TComponent* AOwner);

  // The canvas it paints on while it paints; outside its paint handler, a canvas on its
  // self-painted parent's image moved to its corner and clipped to it.
  Canvas& canvas();
  void SetParent(TWinControl* Value) override;
  bool MouseInside() const { return mouseInside_; }

  void MouseEnter() override;
  void MouseLeave() override;
  void Invalidate() override;
  void Repaint() override;

  // Runs the paint handler on the canvas, moved to the control's corner and clipped to it.
  void paintOn(Canvas& canvas);
  void PaintControl(QPainter& painter) override;

  TNotifyEvent OnPaint;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  // The paint handler, in the control's own coordinates; the base calls OnPaint.
  virtual void Paint();

 private:
  Canvas* activeCanvas_ = nullptr;
  std::unique_ptr<Canvas> parentImageCanvas_;  // made on first use outside the paint handler
  bool mouseInside_ = false;
};
