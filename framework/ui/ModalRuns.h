#pragma once
// Ending every modal run at once, for a program asked to end while one waits on the user: each
// message box answers as its Cancel would (a box without Cancel as its No, its Abort or its only
// button), each other dialog is rejected, each popup menu closes and each form running modally
// gets mrCancel. Runs that open while those unwind (the next box of a refusal) end the same way,
// so nothing waits on a user who is not there and nothing is confirmed on the user's behalf.
// Needs the Qt application.
#include <functional>

namespace qn::ui {

// Ends the modal runs; once none is left, then() runs from the loop. Asked again before that,
// the later then() takes the earlier one's place.
void endModalRuns(std::function<void()> then);

}  // namespace qn::ui
