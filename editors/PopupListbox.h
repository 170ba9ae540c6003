#pragma once
// TdcPopupListbox: the list the combo box drops down. It never takes the focus: the combo's edit
// keeps it and hands the list what it types. A left release inside it closes the combo accepting
// the line under it. Its type-ahead prefix grows by each typed character up to 32 of them; an
// owner-drawn combo has no text of its own, so the list keeps the prefix between keys and forgets
// it after 1.5 seconds without one.
#include "framework/ui/ListBox.h"

class TdcDBComboBox;

class TdcPopupListbox : public ListBox {
  QN_CLASS(TdcPopupListbox, ListBox)
 public:
  explicit TdcPopupListbox(TdcDBComboBox* Combo);

  // Selects the first line beginning with Prefix (cut at 32 characters); a failed search clears
  // the selection unless KeepOnFailure. Answers whether a line matched.
  bool SelectPrefix(const AnsiString& Prefix, bool KeepOnFailure);
  // The owner-drawn combo's key: extends the held prefix (forgotten after 1500 ms), Backspace
  // and Escape forget it.
  void TypeKey(char Key, bool KeepOnFailure);
  const AnsiString& HeldPrefix() const { return prefix_; }

 protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TdcDBComboBox* combo_;
  AnsiString prefix_;
  uint64_t lastKeyAt_ = 0;
};
