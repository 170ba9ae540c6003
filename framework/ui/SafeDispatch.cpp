#include "framework/ui/SafeDispatch.h"

#include <QCoreApplication>

#include "framework/ui/Application.h"
#include "framework/ui/Control.h"
#include "framework/ui/PostedCall.h"

namespace qn::ui {

namespace {

CallbackExceptionCarrier* innermostCarrier = nullptr;

void handOver(std::exception_ptr exception, TObject* Sender) {
  try {
    std::rethrow_exception(exception);
  } catch (...) {
    if (Application) Application->HandleException(Sender);
  }
}

}  // namespace

void handleCurrentException(TObject* Sender) {
  std::exception_ptr exception = std::current_exception();
  if (!exception) return;
  if (CallbackExceptionCarrier::carry(exception)) return;
  handOver(exception, Sender);
}

void handleCurrentExceptionLater() {
  std::exception_ptr exception = std::current_exception();
  if (!exception) return;
  if (!QCoreApplication::instance()) {
    handOver(exception, nullptr);
    return;
  }
  postCall([exception] { std::rethrow_exception(exception); });
}

void postCall(std::function<void()> call) {
  QCoreApplication::postEvent(&applicationCallTarget(), new PostedCallEvent(std::move(call)));
}

void postCall(TControl* Control, std::function<void()> call) {
  if (!Control || !Control->MessageTarget()) return;
  QCoreApplication::postEvent(Control->MessageTarget(), new PostedCallEvent(std::move(call)));
}

CallbackExceptionCarrier::CallbackExceptionCarrier() : outer_(innermostCarrier) { innermostCarrier = this; }

CallbackExceptionCarrier::~CallbackExceptionCarrier() {
  if (collecting_) innermostCarrier = outer_;
  // An exception nobody asked for is still the user's to see.
  if (caught_) handOver(caught_, nullptr);
}

void CallbackExceptionCarrier::rethrow() {
  if (collecting_) {
    innermostCarrier = outer_;
    collecting_ = false;
  }
  if (std::exception_ptr caught = std::exchange(caught_, nullptr)) std::rethrow_exception(caught);
}

bool CallbackExceptionCarrier::carry(std::exception_ptr exception) {
  if (!innermostCarrier) return false;
  if (!innermostCarrier->caught_) innermostCarrier->caught_ = exception;
  return true;
}

}  // namespace qn::ui
