#include "framework/ui/EventLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <vector>

#include "framework/ui/Application.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/WidgetApplication.h"

namespace qn::ui {

namespace {

struct LoopFrame {
  const std::function<bool()>* finished;
  // The dispatch depth at which this loop waits; -1 while it does not wait.
  int waitingAt = -1;
};

std::vector<LoopFrame*> loops;
bool idleRunning = false;
unsigned long idleRests = 0;
QAbstractEventDispatcher* watchedDispatcher = nullptr;

int currentDispatchDepth() {
  return dynamic_cast<WidgetApplication*>(QCoreApplication::instance()) ? dispatchDepth() : 0;
}

bool terminated() { return Application && Application->Terminated(); }

bool loopEnds(const LoopFrame& frame) { return terminated() || (*frame.finished)(); }

// The dispatcher is about to wait. Only the wait of our innermost loop itself is idle time: a Qt
// loop started by a handler waits at a greater dispatch depth.
void aboutToWait() {
  if (loops.empty() || idleRunning || !Application) return;
  LoopFrame* frame = loops.back();
  if (frame->waitingAt != currentDispatchDepth()) return;
  idleRunning = true;
  const bool done = Application->DoIdle();
  idleRunning = false;
  if (done) ++idleRests;
  if (!done || loopEnds(*frame))
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

void watchDispatcher() {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (!dispatcher || dispatcher == watchedDispatcher) return;
  watchedDispatcher = dispatcher;
  QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, dispatcher, aboutToWait);
  QObject::connect(dispatcher, &QObject::destroyed, [] { watchedDispatcher = nullptr; });
}

// Dispatches what is ready without waiting. Bounded: a source that is always ready (a zero
// timer) must not keep the loop from waiting and idling.
void dispatchReady() {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  for (int round = 0; round < 8 && dispatcher && dispatcher->processEvents(QEventLoop::AllEvents); ++round) {
  }
  // Objects handed to deleteLater outside any handler (before the loop started) wait for a Qt
  // loop that never runs here: the outermost loop, running no handler, deletes them.
  if (currentDispatchDepth() == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  fireDueTimers();
}

struct FrameScope {
  explicit FrameScope(LoopFrame* frame) { loops.push_back(frame); }
  ~FrameScope() { loops.pop_back(); }
};

}  // namespace

void runLoop(const std::function<bool()>& finished) {
  if (!QCoreApplication::instance()) return;
  watchDispatcher();
  LoopFrame frame{&finished};
  FrameScope scope(&frame);
  while (!loopEnds(frame)) {
    dispatchReady();
    if (loopEnds(frame)) break;
    frame.waitingAt = currentDispatchDepth();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    frame.waitingAt = -1;
  }
}

int runningLoops() { return static_cast<int>(loops.size()); }

void wakeLoops() {
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

unsigned long idleRestsSoFar() { return idleRests; }

}  // namespace qn::ui
