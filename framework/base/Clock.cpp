#include "framework/base/Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace qn {
namespace {

constexpr double kMsPerDay = 86400000.0;
// Days from 1 Jan 1970 (the system clock's start) back to 30 Dec 1899.
constexpr double kUnixEpochDays = 25569.0;

class SystemClock : public Clock {
 public:
  uint64_t milliseconds() override {
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
  }

  double now() override {
    using namespace std::chrono;
    auto sinceEpoch = duration_cast<std::chrono::milliseconds>(system_clock::now().time_since_epoch());
    std::time_t seconds = sinceEpoch.count() / 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    double localMs = static_cast<double>(sinceEpoch.count()) + local.tm_gmtoff * 1000.0;
    return kUnixEpochDays + localMs / kMsPerDay;
  }

  void sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

SystemClock& systemClock() {
  static SystemClock c;
  return c;
}

Clock* current = nullptr;

}  // namespace

Clock& clock() { return current ? *current : systemClock(); }
void setClock(Clock* c) { current = c; }

double ManualClock::now() {
  // Signed: a test may set the count back.
  return now_ + static_cast<double>(static_cast<int64_t>(ms_ - start_)) / kMsPerDay;
}

void ManualClock::setNow(double now) {
  now_ = now;
  start_ = ms_;
}

}  // namespace qn
