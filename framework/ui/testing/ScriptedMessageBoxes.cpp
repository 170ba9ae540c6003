#include "framework/ui/testing/ScriptedMessageBoxes.h"

#include <gtest/gtest.h>

namespace qn::ui::testing {
namespace {

const char* kindName(TMsgDlgType kind) {
  switch (kind) {
    case mtWarning: return "warning";
    case mtError: return "error";
    case mtInformation: return "information";
    case mtConfirmation: return "confirmation";
    case mtCustom: break;
  }
  return "plain";
}

bool offers(const TMsgDlgButtons& buttons, TModalResult answer) {
  for (TMsgDlgBtn b : {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore})
    if (buttons.Contains(b) && ModalResultOf(b) == answer) return true;
  return false;
}

}  // namespace

ScriptedMessageBoxes::ScriptedMessageBoxes()
    : previous_(setMessageBoxPresenter([this](const MessageBoxRequest& r) { return answer(r); })) {}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
  setMessageBoxPresenter(std::move(previous_));
  for (const Expected& e : expected_)
    ADD_FAILURE() << "an expected " << kindName(e.kind) << " box never appeared: \"" << e.text << "\"";
}

ScriptedMessageBoxes& ScriptedMessageBoxes::expect(TMsgDlgType kind, const AnsiString& text, TModalResult answer) {
  expected_.push_back({kind, text, answer});
  return *this;
}

TModalResult ScriptedMessageBoxes::answer(const MessageBoxRequest& request) {
  shown_.push_back(request);
  if (expected_.empty()) {
    ADD_FAILURE() << "an unexpected " << kindName(request.kind) << " box appeared: \"" << request.text << "\"";
    return mrNone;
  }
  Expected e = expected_.front();
  expected_.pop_front();
  if (e.text != request.text)
    ADD_FAILURE() << "a box said \"" << request.text << "\" where \"" << e.text << "\" was expected";
  if (e.kind != request.kind)
    ADD_FAILURE() << "a " << kindName(request.kind) << " box appeared where a " << kindName(e.kind)
                  << " box was expected: \"" << request.text << "\"";
  TMsgDlgButtons buttons = request.buttons.Empty() ? TMsgDlgButtons{mbOK} : request.buttons;
  if (!offers(buttons, e.answer))
    ADD_FAILURE() << "the box \"" << request.text << "\" has no button for the answer " << e.answer;
  return e.answer;
}

}  // namespace qn::ui::testing
