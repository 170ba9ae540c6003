#pragma once
// The boundary between Qt and our code. Qt enters our code only through our overrides, slots and
// posted calls, and each of them runs its work through one of these, so no exception ever travels
// into Qt: what escapes goes once to Application->HandleException.
//
// - guarded: for event handlers, slots, posted calls and timers, where a box may show at once.
// - guardedDeferred: for paint, resize, layout and destruction, where no nested loop may run: the
//   exception is handed to the handler by a posted call once the current step has ended.
// - CallbackExceptionCarrier: while our code calls into Qt (setting a widget's text), a handler
//   Qt calls back synchronously (the change event) does not hand its exception over but leaves
//   it with the carrier; rethrow() then raises it to the code that set the property.
#include <exception>
#include <functional>

class TObject;
class TControl;

namespace qn::ui {

// Call inside a catch block: the exception in flight goes to the innermost carrier when one is
// collecting, else to the application's handler.
void handleCurrentException(TObject* Sender);
// Call inside a catch block: the exception goes to the application's handler by a posted call.
void handleCurrentExceptionLater();

template <class F>
void guarded(TObject* Sender, F&& work) {
  try {
    work();
  } catch (...) {
    handleCurrentException(Sender);
  }
}

template <class F>
void guardedDeferred(F&& work) {
  try {
    work();
  } catch (...) {
    handleCurrentExceptionLater();
  }
}

// Queues a call for the next loop that runs (nested ones too); what it raises is handed over.
void postCall(std::function<void()> call);
// Queues a call addressed to the control: dropped when the control is freed first.
void postCall(TControl* Control, std::function<void()> call);

class CallbackExceptionCarrier {
 public:
  CallbackExceptionCarrier();
  ~CallbackExceptionCarrier();
  CallbackExceptionCarrier(const CallbackExceptionCarrier&) = delete;
  CallbackExceptionCarrier& operator=(const CallbackExceptionCarrier&) = delete;

  // Stops collecting and raises the first exception a callback left, if any.
  void rethrow();
  // Keeps the exception in flight (the first one only); false when no carrier is collecting.
  static bool carry(std::exception_ptr exception);

 private:
  CallbackExceptionCarrier* outer_;
  std::exception_ptr caught_;
  bool collecting_ = true;
};

}  // namespace qn::ui
