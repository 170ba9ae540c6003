#pragma once
// A timer on the framework's clock: while enabled, its handler runs each time Interval
// milliseconds of qn::clock() have passed. Enabling it (again) or changing the interval starts the
// interval anew. Due timers fire from the event loop: in the program one Qt timer waits for the
// earliest due time; under a test's ManualClock nothing waits in real time, and ProcessMessages
// (or any framework loop) fires what the advanced clock has made due. Handlers run guarded: what
// they raise goes to the application's handler and the timer goes on.
#include <cstdint>

#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"

class IntervalTimer : public TComponent {
  QN_CLASS(IntervalTimer, TComponent)
 public:
  explicit IntervalTimer(TComponent* AOwner = nullptr);
  ~IntervalTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  // Milliseconds; 0 never fires.
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t Value);

  // When it fires next, on the framework's clock.
  std::uint64_t dueTime() const { return due_; }

  TNotifyEvent OnTimer;

 private:
  friend void fireDueTimers();
  void restart();

  bool enabled_ = true;
  std::uint32_t interval_ = 1000;
  std::uint64_t due_ = 0;
};

// Runs the handlers of the timers that are due, and arms the Qt timer for the next one.
void fireDueTimers();
