#include "framework/ui/PendingInput.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <deque>
#include <memory>

#include "framework/ui/InputRouting.h"
#include "framework/ui/PostedCall.h"
#include "framework/ui/SafeDispatch.h"

namespace qn::ui {

namespace {

struct HeldEvent {
  QPointer<QObject> receiver;
  std::unique_ptr<QEvent> event;
};

std::deque<HeldEvent> held;
bool holding = false;
bool releaseScheduled = false;
bool releasing = false;

bool isHeldKind(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
      return true;
    default:
      return type == PostedCallEvent::eventType();
  }
}

bool isEscape(const QEvent& event, QEvent::Type type) {
  return event.type() == type && static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape;
}

void releaseHeld() {
  releaseScheduled = false;
  if (releasing) return;
  releasing = true;
  while (!held.empty() && !holding) {
    HeldEvent next = std::move(held.front());
    held.pop_front();
    if (next.receiver) QCoreApplication::instance()->notify(next.receiver, next.event.get());
  }
  releasing = false;
}

void scheduleRelease() {
  if (held.empty() || releaseScheduled) return;
  releaseScheduled = true;
  postCall([] { releaseHeld(); });
}

}  // namespace

namespace detail {

bool holdInput(QObject* receiver, QEvent* event) {
  if (!holding) return false;
  if (event->type() == QEvent::ShortcutOverride) {
    // The press itself is held; Qt's shortcut map must not act on it meanwhile.
    event->accept();
    return true;
  }
  if (!isHeldKind(event->type())) return false;
  if (event->type() == PostedCallEvent::eventType()) releaseScheduled = false;
  held.push_back({receiver, std::unique_ptr<QEvent>(event->clone())});
  return true;
}

}  // namespace detail

bool pendingEscapePressed() {
  if (holding || !QCoreApplication::instance()) return false;
  holding = true;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  holding = false;
  bool escape = false;
  for (auto it = held.begin(); it != held.end(); ++it) {
    if (!isEscape(*it->event, QEvent::KeyPress)) continue;
    escape = true;
    auto release = std::find_if(std::next(it), held.end(), [](const HeldEvent& h) { return isEscape(*h.event, QEvent::KeyRelease); });
    if (release != held.end()) held.erase(release);
    else detail::dropNextEscapeRelease();
    held.erase(it);
    break;
  }
  scheduleRelease();
  return escape;
}

}  // namespace qn::ui
