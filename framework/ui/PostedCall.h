#pragma once
// The event that carries a posted call to its target object, and the object posted calls of a
// control are addressed to (it lives exactly as long as the control).
#include <QEvent>
#include <QObject>
#include <functional>

class TControl;

namespace qn::ui {

class PostedCallEvent : public QEvent {
 public:
  static QEvent::Type eventType();
  explicit PostedCallEvent(std::function<void()> call) : QEvent(eventType()), call_(std::move(call)) {}
  const std::function<void()>& call() const { return call_; }
  PostedCallEvent* clone() const override { return new PostedCallEvent(*this); }

 private:
  std::function<void()> call_;
};

// Receives posted calls and runs them guarded. A target told to go while it runs one of them
// goes after it (deleteLater), and runs nothing more.
class PostedCallTarget : public QObject {
 public:
  explicit PostedCallTarget(TControl* control = nullptr) : control_(control) {}
  // Deletes the target now, or once its running call has returned.
  static void dispose(PostedCallTarget* target);

 protected:
  bool event(QEvent* event) override;

 private:
  TControl* control_;
  int running_ = 0;
  bool disposed_ = false;
};

// The target of calls addressed to nobody in particular.
PostedCallTarget& applicationCallTarget();

}  // namespace qn::ui
