#pragma once
// A windowed control that paints itself: its paint handler draws on its canvas, which lies on an
// image of the control's own (RGB32, at the widget's device pixel ratio) that each Qt paint
// copies to the screen. The canvas works inside and outside the paint handler: drawing outside it
// changes the image at once and shows at the next paint, so mouse feedback, copying pixels
// already painted and exclusive-or focus rectangles behave alike offscreen and on a desktop.
// Invalidate marks the image for the paint handler; only the marked area is painted again.
//
// Its windowless children (WindowlessControl) paint into the same image after it, each through
// the canvas moved to its corner and clipped to it.
#include <QImage>
#include <QRegion>
#include <memory>

#include "framework/ui/Canvas.h"
#include "framework/ui/WinControl.h"

class SelfPaintedControl : public TWinControl {
  QN_CLASS(SelfPaintedControl, TWinControl)
 public:
  explicit SelfPaintedControl(TComponent* AOwner);
  ~SelfPaintedControl() override;

  // The canvas the control draws on: its own image (sized to the control first), or while it is
  // painted as a copy, the canvas it is copied into.
  Canvas& canvas();

  void Invalidate() override;
  void Repaint() override;
  // Another canvas on the control's image, sized to the control (for a windowless child drawing
  // outside its paint handler); it must not outlive the control.
  std::unique_ptr<Canvas> newCanvasOnImage();
  // Marks part of the client area for the paint handler.
  void invalidateRect(const TRect& rect);
  // Paints what is marked now, not at the next turn of the event loop: drawing done outside the
  // paint handler over a place just marked then lies on freshly painted pixels.
  void Update();

  // Moves the pixels inside area by (dx, dy) as a scroll does: what was still to be painted there
  // moves with them, and only the strip left uncovered is marked for the paint handler.
  void scrollImage(const TRect& area, int dx, int dy);

  // Runs the paint handler (and the windowless children's) on another canvas, already moved to
  // where the control's top-left corner goes and clipped to its size.
  void paintInto(Canvas& target);

  TNotifyEvent OnPaint;

 protected:
  // The paint handler; the base calls OnPaint.
  virtual void Paint();

  QWidget* MakeWidget(QWidget* parentWidget) override;
  void PaintWindow(QPainter& painter) override;
  void FontChanged() override;

 private:
  // Gives the image the widget's size and pixel ratio, keeping what it shows.
  void fitImage();
  void paintWithChildren(Canvas& canvas);
  void imageChanged(const QRect& area);

  QImage image_;
  std::unique_ptr<Canvas> ownCanvas_;
  Canvas* activeCanvas_;
  QRegion invalid_;        // what the paint handler has still to paint
  bool painting_ = false;  // inside the Qt paint: changes need no further paint
};
