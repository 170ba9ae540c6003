#pragma once
// An edit's text and selection as the helpers that drive edits see them, behaving as the
// framework's edits do: setting the text puts the caret at its start, setting SelStart collapses
// the selection there, and both positions stay within the text.
#include <algorithm>

#include "framework/base/AnsiString.h"

namespace qn::datagrid::testing {

class TestEdit {
 public:
  explicit TestEdit(const AnsiString& text = {}) : text_(text) {}

  const AnsiString& Text() const { return text_; }
  void SetText(const AnsiString& text) {
    text_ = text;
    selStart_ = selLength_ = 0;
  }
  int SelStart() const { return selStart_; }
  void SetSelStart(int start) {
    selStart_ = std::clamp(start, 0, length());
    selLength_ = 0;
  }
  int SelLength() const { return selLength_; }
  void SetSelLength(int count) { selLength_ = std::clamp(count, 0, length() - selStart_); }
  AnsiString SelText() const { return text_.substr(selStart_, selLength_); }

  // The caret at the end, nothing selected: where typing goes on.
  void CaretToEnd() { SetSelStart(length()); }
  void SelectAll() {
    SetSelStart(0);
    SetSelLength(length());
  }

 private:
  int length() const { return static_cast<int>(text_.size()); }

  AnsiString text_;
  int selStart_ = 0;
  int selLength_ = 0;
};

}  // namespace qn::datagrid::testing
