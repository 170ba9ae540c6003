#include "editors/TimerSpeedButton.h"

#include "framework/ui/Canvas.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/MouseCapture.h"

void TdcTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (!options_.Contains(tboRepeat) || Button != mbLeft) return;
  if (!repeatTimer_) {
    repeatTimer_ = new IntervalTimer(this);
    repeatTimer_->OnTimer = [this](TObject*) { TimerExpired(); };
  }
  repeatTimer_->SetInterval(kInitialRepeatPause);
  repeatTimer_->SetEnabled(true);
}

void TdcTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (repeatTimer_) repeatTimer_->SetEnabled(false);
  TSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TdcTimerSpeedButton::TimerExpired() {
  repeatTimer_->SetInterval(kRepeatPause);
  // Released or robbed of the capture (a box took the mouse): the hold is over.
  if (State() != bsDown || GetCaptureControl() != this) {
    repeatTimer_->SetEnabled(false);
    return;
  }
  try {
    Click();
  } catch (...) {
    repeatTimer_->SetEnabled(false);
    throw;
  }
}

void TdcTimerSpeedButton::Paint() {
  TSpeedButton::Paint();
  if (!options_.Contains(tboFocusRect)) return;
  const int shift = State() == bsDown ? 1 : 0;
  canvas().DrawFocusRect({3 + shift, 3 + shift, Width() - 3 + shift, Height() - 3 + shift});
}
