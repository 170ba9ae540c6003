#include "editors/TrackIcon.h"

#include "framework/base/ClassRegistry.h"
#include "framework/ui/MouseCapture.h"

void TdcTrackIcon::PublishProperties(PropertyPublisher<TdcTrackIcon>& publish) {
  using Self = TdcTrackIcon;
  publish.String("BitmapName", &Self::BitmapName, &Self::SetBitmapName);
  publish.Integer("MinValue", &Self::MinValue, &Self::MinValue);
  publish.Integer("MaxValue", &Self::MaxValue, &Self::MaxValue);
  publish.Event("OnEndDrag", &Self::OnEndDrag, &Self::OnEndDrag);
}

TdcTrackIcon::TdcTrackIcon(TComponent* AOwner) : WindowlessControl(AOwner) {}

void TdcTrackIcon::SetBitmapName(const AnsiString& Value) {
  if (Value == bitmapName_) return;
  bitmapName_ = Value;
  if (!Value.empty()) {
    bitmap_.LoadFromResourceName(Value);
    SetBounds(Left(), Top(), bitmap_.Width(), bitmap_.Height());
  }
  Invalidate();
}

void TdcTrackIcon::Paint() {
  if (bitmap_.Empty()) return;
  canvas().drawWithTransparentColour({0, 0, bitmap_.Width(), bitmap_.Height()}, bitmap_, {0, 0, bitmap_.Width(), bitmap_.Height()},
                                     bitmap_.canvas().pixel(0, bitmap_.Height() - 1));
}

void TdcTrackIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  WindowlessControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || tracking_) return;
  tracking_ = true;
  dragging_ = false;
  pressX_ = X;
  SetCaptureControl(this);
  // The drag ends with the release, with the capture taken away, or with a termination request
  // (which stays requested).
  try {
    qn::ui::runCaptureLoop(this);
  } catch (...) {
    tracking_ = dragging_ = false;
    if (GetCaptureControl() == this) ReleaseCapture();
    throw;
  }
  tracking_ = dragging_ = false;
  if (GetCaptureControl() == this) ReleaseCapture();
}

void TdcTrackIcon::MouseMove(TShiftState Shift, int X, int Y) {
  WindowlessControl::MouseMove(Shift, X, Y);
  if (!tracking_ || X == pressX_) return;
  dragging_ = true;
  int left = Left() + X - pressX_;
  if (MinValue != 0 && left < MinValue) left = MinValue;
  if (MaxValue != 0 && left > MaxValue) left = MaxValue;
  if (left != Left()) SetLeft(left);
}

void TdcTrackIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && tracking_) {
    const bool dragged = dragging_;
    tracking_ = dragging_ = false;
    if (dragged && OnEndDrag) OnEndDrag(this);
    if (GetCaptureControl() == this) ReleaseCapture();
  }
  WindowlessControl::MouseUp(Button, Shift, X, Y);
}
