#pragma once
// The check a long operation makes for an Escape press: pending events are processed with input
// held. Key and mouse input, posted messages and calls wait in the framework's own queue instead of
// being delivered (paint still runs). Answers whether an Escape press was among them; that press
// and its release are removed. Everything else held is delivered afterwards, in its order, by the
// first loop that runs once the operation has returned.
namespace qn::ui {

bool pendingEscapePressed();

}  // namespace qn::ui
