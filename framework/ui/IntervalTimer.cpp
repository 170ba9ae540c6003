#include "framework/ui/IntervalTimer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <vector>

#include "framework/base/Clock.h"
#include "framework/ui/SafeDispatch.h"

namespace {

std::vector<IntervalTimer*> timers;
QPointer<QTimer> wakeUp;  // the one Qt timer, for the earliest due time
bool firing = false;

void armWakeUp(std::uint64_t earliest) {
  if (!QCoreApplication::instance()) return;
  if (!wakeUp) {
    wakeUp = new QTimer(QCoreApplication::instance());
    wakeUp->setSingleShot(true);
    QObject::connect(wakeUp, &QTimer::timeout, [] { fireDueTimers(); });
  }
  if (earliest == std::numeric_limits<std::uint64_t>::max()) {
    wakeUp->stop();
    return;
  }
  const std::uint64_t now = qn::clock().milliseconds();
  const std::uint64_t wait = earliest > now ? earliest - now : 0;
  wakeUp->start(static_cast<int>(std::min<std::uint64_t>(wait, std::numeric_limits<int>::max())));
}

std::uint64_t earliestDue() {
  std::uint64_t earliest = std::numeric_limits<std::uint64_t>::max();
  for (IntervalTimer* t : timers)
    if (t->Enabled() && t->Interval() > 0) earliest = std::min(earliest, t->dueTime());
  return earliest;
}

}  // namespace

IntervalTimer::IntervalTimer(TComponent* AOwner) : TComponent(AOwner) {
  timers.push_back(this);
  restart();
}

IntervalTimer::~IntervalTimer() { timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end()); }

void IntervalTimer::SetEnabled(bool Value) {
  enabled_ = Value;
  restart();
}

void IntervalTimer::SetInterval(std::uint32_t Value) {
  interval_ = Value;
  restart();
}

void IntervalTimer::restart() {
  due_ = qn::clock().milliseconds() + interval_;
  if (!firing) armWakeUp(earliestDue());
}

void fireDueTimers() {
  if (firing) return;
  firing = true;
  // A handler may free timers or make new ones: each is looked up again before it runs.
  std::vector<IntervalTimer*> due;
  const std::uint64_t now = qn::clock().milliseconds();
  for (IntervalTimer* t : timers)
    if (t->enabled_ && t->interval_ > 0 && t->due_ <= now) due.push_back(t);
  for (IntervalTimer* t : due) {
    if (std::find(timers.begin(), timers.end(), t) == timers.end() || !t->enabled_ || t->due_ > now) continue;
    t->due_ = now + t->interval_;
    if (t->OnTimer) qn::ui::guarded(t, [t] { t->OnTimer(t); });
  }
  firing = false;
  armWakeUp(earliestDue());
}
