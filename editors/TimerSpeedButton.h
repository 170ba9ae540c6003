#pragma once
// TdcTimerSpeedButton: a speed button that, with tboRepeat, clicks again and again while it is held
// down: first after 400 ms, then every 100 ms, as long as the button is pressed and holds the
// mouse capture. With tboFocusRect it draws a focus rectangle inside its face.
#include "framework/base/EnumSet.h"
#include "framework/ui/SpeedButton.h"

class IntervalTimer;

enum TTimerButtonOption { tboRepeat, tboFocusRect };
using TTimerButtonOptions = EnumSet<TTimerButtonOption>;

class TdcTimerSpeedButton : public TSpeedButton {
  QN_CLASS(TdcTimerSpeedButton, TSpeedButton)
 public:
  explicit TdcTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

  TTimerButtonOptions Options() const { return options_; }
  void SetOptions(TTimerButtonOptions Value) { options_ = Value; }
  // The repeat timer; nullptr until the first press.
  IntervalTimer* RepeatTimer() const { return repeatTimer_; }

  static constexpr unsigned kInitialRepeatPause = 400;
  static constexpr unsigned kRepeatPause = 100;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;

 private:
  void TimerExpired();

  TTimerButtonOptions options_;
  IntervalTimer* repeatTimer_ = nullptr;  // owned through the component tree
};
