#pragma once
// Where the framework reads the time: a monotonic millisecond count (GetTickCount), the wall-clock
// date and time (Now, Date, Time, the current year of the two-digit-year window) and sleeping.
// Tests put a ManualClock in place to set the time and to let sleeps pass at once.
#include <cstdint>

namespace qn {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes back.
  virtual uint64_t milliseconds() = 0;
  // Local date and time as days since 30 Dec 1899 with the time as the fraction.
  virtual double now() = 0;
  virtual void sleep(uint32_t ms) = 0;
};

// The clock in use: the system's unless a test set another.
Clock& clock();
// Puts `c` in place (it must outlive its use); nullptr restores the system's clock.
void setClock(Clock* c);

// A clock that moves only when told: sleeping advances it by the time slept.
class ManualClock : public Clock {
 public:
  explicit ManualClock(uint64_t milliseconds = 0, double now = 0) : ms_(milliseconds), now_(now) {}

  uint64_t milliseconds() override { return ms_; }
  double now() override;
  void sleep(uint32_t ms) override { advance(ms); }

  void setMilliseconds(uint64_t ms) { ms_ = ms; }
  void setNow(double now);
  void advance(uint64_t ms) { ms_ += ms; }

 private:
  uint64_t ms_;
  uint64_t start_ = 0;  // ms_ when now_ was set: the wall clock moves with the count
  double now_;
};

}  // namespace qn
