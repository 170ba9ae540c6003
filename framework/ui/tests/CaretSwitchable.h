#pragma once
// An edit control whose caret a test allows or forbids, for checking that the caret follows the
// control's say while it has the focus.
#include "framework/base/Object.h"

namespace qn::ui::testing {

template <class EditControl>
class TCaretSwitchable : public EditControl {
  QN_CLASS(TCaretSwitchable, EditControl)
 public:
  using EditControl::EditControl;
  bool caret = true;
  void setCaret(bool value) {
    caret = value;
    this->CaretAllowedChanged();
  }

 protected:
  bool CaretAllowed() const override { return caret; }
};

}  // namespace qn::ui::testing
