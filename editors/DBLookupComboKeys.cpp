// The lookup combo's keys, focus and clipboard: what each key does with the drop-down closed and
// open, clearing the value, entering and leaving.
#include "datagrid/CustomDBGrid.h"
#include "datagrid/InputHelpers.h"
#include "editors/DBLookupCombo.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// After a deletion the next search runs but does not complete the text.
constexpr const char* kNoCompletion = "~~~~";

bool isListKey(WORD Key) { return Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT; }

}  // namespace

TWantedKeys TdcDBCustomLookupCombo::WantedKeys() const {
  TWantedKeys keys = TCustomEdit::WantedKeys();
  if (dropped_) keys = keys.Include(wkArrows).Include(wkReturn).Include(wkEscape);
  else if (Modified()) keys = keys.Include(wkEscape);
  return keys;
}

bool TdcDBCustomLookupCombo::leavesTextEdge(WORD Key, TShiftState Shift) const {
  const bool backward = Key == VK_HOME || Key == VK_LEFT;
  if (!backward && Key != VK_END && Key != VK_RIGHT) return false;
  auto* grid = dynamic_cast<TdcCustomDBGrid*>(Parent());
  if (!grid || !grid->DBOptions().Contains(dgAlwaysShowEditor)) return false;
  if (Shift.Contains(ssCtrl)) return true;
  const int length = static_cast<int>(Text().size());
  const bool allSelected = SelStart() == 0 && SelLength() >= length;
  if (allSelected) return true;
  return SelLength() == 0 && (backward ? SelStart() == 0 : SelStart() >= length);
}

void TdcDBCustomLookupCombo::ClearKey() {
  SetText("");
  if (Linked()) {
    grid_->SetValues("", "");
    bool changed = false;
    WriteLinkedKeys(changed);
  } else if (TField* field = link_.Field(); field && link_.Editing()) {
    field->Clear();
    grid_->SetValues("", "");
  } else {
    grid_->SetValues("", "");
  }
  markModified();
}

void TdcDBCustomLookupCombo::KeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
  auto* parentGrid = dynamic_cast<TdcCustomDBGrid*>(Parent());
  if (Key == VK_BACK || Key == VK_DELETE) {
    if (showMatchText_) {
      if (dropped_) lastSearched_ = kNoCompletion;
    } else {
      lastSearched_.clear();
    }
  } else {
    lastSearched_.clear();
  }
  if (dropped_) {
    if (isListKey(Key)) {
      link_.Edit();
      if ((!Bound() || link_.Editing() || Linked()) && !ReadOnly()) grid_->KeyDown(Key, {});
      Key = 0;
      return;
    }
    if (Key == VK_RETURN || Key == VK_TAB) {
      if (found_) TakeListRow();
      CloseUp(true);
      SelectAll();
      if (Key == VK_RETURN) Key = 0;
      return;
    }
  } else {
    if (alt && isListKey(Key)) {
      DropDown();
      Key = 0;
      return;
    }
    if (parentGrid && (isListKey(Key) || Key == VK_RETURN || Key == VK_TAB || leavesTextEdge(Key, Shift))) {
      // Inside a grid these move between cells: the grid takes them.
      parentGrid->SetFocus();
      parentGrid->KeyDown(Key, Shift);
      Key = 0;
      return;
    }
    if (parentGrid && Key == VK_F2) {
      if (parentGrid->OnKeyDown) parentGrid->OnKeyDown(parentGrid, Key, Shift);
      SetSelLength(0);
      Key = 0;
      return;
    }
  }
  if (Key == VK_ESCAPE) {
    if (parentGrid && !dropped_ && !Modified()) {
      parentGrid->SetFocus();
      parentGrid->KeyDown(Key, Shift);
      Key = 0;
      return;
    }
    // Closed without taking the row, then back to what was there on entering.
    if (dropped_) CloseUp(false);
    if (!Bound()) grid_->SearchByDisplayText(savedText_);
    RestoreSaved();
    if (Bound()) link_.Reset();
    SetModified(false);
    SelectAll();
    Key = 0;
    return;
  }
  if (Key == VK_BACK || Key == VK_DELETE || Key == VK_INSERT) {
    if (!BeginEdit()) {
      Key = 0;
      return;
    }
    if (allowClearKey_ && Key != VK_INSERT && !Text().empty() && SelLength() == static_cast<int>(Text().size())) {
      ClearKey();
      Key = 0;
      return;
    }
  }
  if ((Key == VK_HOME || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT) && !Modifiable() && !Linked()) {
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

// ---- focus and clipboard ----

void TdcDBCustomLookupCombo::DoEnter() {
  grid_->SetDisplayValue(Text());
  if (!inNotInList_) SetModified(false);
  if (!dropped_) SaveState();
  const bool autoSelect = AutoSelect();
  if (GetKeyState(VK_LBUTTON) < 0) SetAutoSelect(false);
  TCustomEdit::DoEnter();
  SetAutoSelect(autoSelect);
  if (InsideGrid()) SelectAll();
  refreshReadOnly();
}

void TdcDBCustomLookupCombo::DoExit() {
  if (dropped_) CloseUp(true);
  if (!inNotInList_) {
    try {
      link_.UpdateRecord();
    } catch (...) {
      // The focus stays: what the update raised refuses the move.
      SelectAll();
      throw;
    }
    SetSelStart(0);
  }
  searchingBeforeDrop_ = false;
  TCustomEdit::DoExit();
}

void TdcDBCustomLookupCombo::CutToClipboard() {
  if (BeginEdit() && Modifiable()) TCustomEdit::CutToClipboard();
}

void TdcDBCustomLookupCombo::PasteFromClipboard() {
  if (!BeginEdit() || !Modifiable()) return;
  TCustomEdit::PasteFromClipboard();
  markModified();
}
