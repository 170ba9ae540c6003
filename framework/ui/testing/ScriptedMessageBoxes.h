#pragma once
// Message boxes answered by a script, for tests. While an object lives, every box the program
// shows must be the next one the test expects, with that kind and exactly that text (line breaks
// written "\r" as the program writes them); it gets the answer the test gave. A box nobody
// expected, a box of another kind or text, an answer the box has no button for, and an expected
// box that never appeared each fail the test.
#include <deque>
#include <vector>

#include "framework/ui/MessageBoxService.h"

namespace qn::ui::testing {

class ScriptedMessageBoxes {
 public:
  ScriptedMessageBoxes();
  ~ScriptedMessageBoxes();
  ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
  ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

  ScriptedMessageBoxes& expect(TMsgDlgType kind, const AnsiString& text, TModalResult answer = mrOk);

  // Every box shown so far, for a test that checks captions, buttons or positions.
  const std::vector<MessageBoxRequest>& shown() const { return shown_; }

 private:
  TModalResult answer(const MessageBoxRequest& request);

  struct Expected {
    TMsgDlgType kind;
    AnsiString text;
    TModalResult answer;
  };
  std::deque<Expected> expected_;
  std::vector<MessageBoxRequest> shown_;
  MessageBoxPresenter previous_;
};

}  // namespace qn::ui::testing
