#pragma once
// Runs an event handler through a copy of it: a handler may free the control that holds it (a
// button whose click frees its form), and must not lose its own closure while it still runs.
#include <utility>

namespace qn::ui {

template <class Event, class... Args>
void callHandler(const Event& event, Args&&... args) {
  if (!event) return;
  Event running = event;
  running(std::forward<Args>(args)...);
}

}  // namespace qn::ui
