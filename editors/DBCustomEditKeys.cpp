// The keys of the data-aware edit: what a typed character does to the record, the date and time
// completion on the space bar, and the keys an edit inside the library's grid hands to the grid.
#include "datagrid/CustomDBGrid.h"
#include "datagrid/FieldTextTests.h"
#include "editors/DBCustomEdit.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Beep.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/VirtualKeys.h"

TWantedKeys TdcDBCustomEdit::WantedKeys() const {
  TWantedKeys keys = TdcCustomMaskEdit::WantedKeys();
  if (WantReturns()) keys.Include(wkReturn);
  if (const TdcCustomDBGrid* grid = ParentGrid()) {
    keys.Include(wkReturn);
    if (grid->DBOptions().Contains(dgTabs)) keys.Include(wkTab);
  }
  return keys;
}

bool TdcDBCustomEdit::FillDateTimePartOnSpace() {
  DateTimeContent content;
  if (!HasDateTimeContent(content)) return false;
  const int length = static_cast<int>(Text().size());
  const bool allSelected = SelStart() == 0 && SelLength() >= length;
  if (!allSelected && (SelStart() < length || SelLength() > 0)) return false;
  if (windowReadOnly()) {
    Beep();
    return true;
  }
  if (TDataSet* dataSet = link_.DataSet()) dataSet->Edit();
  const AnsiString text = CompleteDateTimeOnSpace(allSelected ? AnsiString() : Text(), content, Now());
  SetText(text);
  SetSelStart(static_cast<int>(text.size()));
  MarkModified();
  return true;
}

void TdcDBCustomEdit::KeyPress(char& Key) {
  const unsigned char code = static_cast<unsigned char>(Key);
  TField* field = link_.Field();
  // 1: whether the record lets the key change anything.
  if (code >= 32 || Key == '\b') {
    TDataSource* source = link_.DataSource();
    if (windowReadOnly() && source && !source->AutoEdit()) {
      Key = 0;
      return;
    }
    if (!source) {
      if (ReadOnly()) {
        Key = 0;
        return;
      }
      setWindowReadOnly(false);
    } else if (field && IsCalculatedOrLookupField(field)) {
      if (field->ReadOnly() || !field->DataSet()->CanModify()) {
        Key = 0;
        return;
      }
      field->DataSet()->Edit();
      setWindowReadOnly(false);
    }
  }
  // 2: the date and time completion.
  if (Key == ' ' && autoFillDate_ && !(Picture()->AutoFill() && PictureInUse())) {
    BeginFieldEdit();
    if (GetKeyState(VK_CONTROL) >= 0 && FillDateTimePartOnSpace()) {
      Key = 0;
      if (OnCheckValue) IsTextValidForPicture(Text());
      return;
    }
  }
  // 3: the picture.
  const AnsiString before = Text();
  PictureKeyPress(Key);
  if (PictureTookKey() && Text() != before) MarkModified();
  if (Key == 0) return;
  // 4: the field's own characters.
  if (field && code >= 32 && !mappedText() && !field->IsValidChar(code)) {
    Key = 0;
    Beep();
    return;
  }
  // 5: what the key does to the record.
  if (Key == '\b' || code >= 32) {
    if (field) link_.Edit();
    if (!CaretAllowed()) Key = 0;
  } else if (Key == '\t' && ParentGrid()) {
    Key = 0;
  } else if (Key == '\r') {
    if (WantReturns()) link_.Edit();
    else if (ParentGrid()) Key = 0;
  } else if (Key == '\x1b') {
    Reset();
    Invalidate();
    Key = 0;
    if (TdcCustomDBGrid* grid = ParentGrid()) grid->SetFocus();
    return;
  }
  TdcCustomMaskEdit::KeyPress(Key);
}

void TdcDBCustomEdit::HandKeyToGrid(TdcCustomDBGrid* Grid, WORD& Key, TShiftState Shift) {
  Grid->SetFocus();
  if (Grid->Focused()) static_cast<TWinControl*>(Grid)->KeyDown(Key, Shift);
  Key = 0;
}

bool TdcDBCustomEdit::GridKeyDown(WORD& Key, TShiftState Shift) {
  TdcCustomDBGrid* grid = ParentGrid();
  if (!grid) return false;
  const int length = static_cast<int>(Text().size());
  if (IsMemoField() && SelLength() > 0 && SelLength() < length) return false;
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool alt = Shift.Contains(ssAlt);
  const bool allSelected = SelStart() == 0 && SelLength() >= length;
  const bool atStart = SelStart() == 0 && (SelLength() == 0 || allSelected);
  const bool atEnd = (SelStart() >= length && SelLength() == 0) || allSelected;
  const bool alwaysEditor = grid->DBOptions().Contains(dgAlwaysShowEditor);
  const bool toGrid = [&] {
    switch (Key) {
      case VK_ESCAPE: return !Modified();
      case VK_PRIOR: case VK_NEXT: case VK_UP: case VK_DOWN: return !alt;
      case VK_HOME: case VK_LEFT: return (alwaysEditor && (ctrl || atStart)) || !CaretAllowed();
      case VK_END: case VK_RIGHT: return (alwaysEditor && (ctrl || atEnd)) || !CaretAllowed();
      case VK_INSERT: return !Shift.Contains(ssShift);
      case VK_DELETE: return ctrl;
      case VK_RETURN: return !(WantReturns() && !ctrl);
      case VK_TAB: return grid->DBOptions().Contains(dgTabs);
      default: return false;
    }
  }();
  if (toGrid) {
    HandKeyToGrid(grid, Key, Shift);
    return true;
  }
  if (grid->OnKeyDown) grid->OnKeyDown(grid, Key, Shift);
  if (Key == VK_F2) {
    if (CaretAllowed()) SetSelLength(0);
    Key = 0;
    return true;
  }
  return Key == 0;
}

void TdcDBCustomEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (GridKeyDown(Key, Shift)) return;
  const bool changes = (Key == VK_DELETE && !Shift.Contains(ssShift)) || (Key == VK_INSERT && Shift.Contains(ssShift));
  if (changes) {
    if (link_.Field()) link_.Edit();
    else if (!ReadOnly()) setWindowReadOnly(false);
  }
  const bool escape = Key == VK_ESCAPE;
  TdcCustomMaskEdit::KeyDown(Key, Shift);
  if (escape && Key == 0) {
    Invalidate();
    if (TdcCustomDBGrid* grid = ParentGrid()) grid->SetFocus();
  }
}

void TdcDBCustomEdit::KeyUp(WORD& Key, TShiftState Shift) {
  TdcCustomMaskEdit::KeyUp(Key, Shift);
  if (Key == VK_DELETE && OnCheckValue) IsTextValidForPicture(Text());
}
