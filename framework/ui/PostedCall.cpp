#include "framework/ui/PostedCall.h"

#include "framework/ui/Control.h"
#include "framework/ui/SafeDispatch.h"

namespace qn::ui {

QEvent::Type PostedCallEvent::eventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

void PostedCallTarget::dispose(PostedCallTarget* target) {
  if (!target) return;
  if (target->running_ == 0) {
    delete target;
    return;
  }
  target->disposed_ = true;
  target->control_ = nullptr;
  target->deleteLater();
}

bool PostedCallTarget::event(QEvent* event) {
  if (event->type() != PostedCallEvent::eventType()) return QObject::event(event);
  if (disposed_) return true;
  ++running_;
  guarded(control_, [event] { static_cast<PostedCallEvent*>(event)->call()(); });
  --running_;
  return true;
}

PostedCallTarget& applicationCallTarget() {
  static PostedCallTarget* target = new PostedCallTarget;  // lives as long as the process
  return *target;
}

}  // namespace qn::ui
