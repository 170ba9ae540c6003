// The data grid's keys: moves by record and by column, Tab across records, insert and delete.
#include <utility>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/DcInplaceEdit.h"
#include "datagrid/Intl.h"
#include "datagrid/IntlDialogTexts.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/VirtualKeys.h"

void TdcCustomDBGrid::KeyDown(WORD& Key, TShiftState Shift) {
  if (!linkActive()) {
    TCustomGrid::KeyDown(Key, Shift);
    return;
  }
  TWinControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  TDataSet* ds = dataSet();
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool byRecord = ds->FieldCount() == 1 || dbOptions_.Contains(dgRowSelect);
  switch (Key) {
    case VK_PRIOR: ds->MoveBy(ctrl ? -link_->ActiveRecord() : -VisibleRowCount()); break;
    case VK_UP:
      if (ctrl) ds->MoveBy(-link_->ActiveRecord());
      else PriorRecord();
      break;
    case VK_NEXT: ds->MoveBy(ctrl ? link_->BufferCount() - link_->ActiveRecord() - 1 : VisibleRowCount()); break;
    case VK_DOWN:
      if (ctrl) ds->MoveBy(link_->BufferCount() - link_->ActiveRecord() - 1);
      else downRecord();
      break;
    case VK_END:
      if (ctrl || byRecord) ds->Last();
      else SetSelectedIndex(GetFieldCount() - 1);
      break;
    case VK_HOME:
      if (ctrl || byRecord) ds->First();
      else SetSelectedIndex(0);
      break;
    case VK_LEFT:
      if (ctrl) SetSelectedIndex(0);
      else if (dbOptions_.Contains(dgRowSelect)) PriorRecord();
      else SetSelectedIndex(SelectedIndex() - 1);
      break;
    case VK_RIGHT:
      if (ctrl) SetSelectedIndex(GetFieldCount() - 1);
      else if (dbOptions_.Contains(dgRowSelect)) downRecord();
      else SetSelectedIndex(SelectedIndex() + 1);
      break;
    case VK_DELETE:
      if (!ctrl) {
        baseKeyDown(Key, Shift);
        return;
      }
      deleteRecordByKey();
      break;
    case VK_TAB:
      if (Shift.Contains(ssAlt)) return;
      tabMoveAcrossRecords(!Shift.Contains(ssShift));
      break;
    case VK_RETURN:
      if (!keyOptions_.Contains(dgEnterToTab)) {
        baseKeyDown(Key, Shift);
        return;
      }
      tabMoveAcrossRecords(!Shift.Contains(ssShift));
      break;
    case VK_ESCAPE:
      link_->Reset();
      if (!dbOptions_.Contains(dgAlwaysShowEditor)) hideCellEditor();
      else if (auto* editor = dynamic_cast<TdcInplaceEdit*>(cellEditor()); editor && OnCheckValue)
        editor->ValidateText(editor->Text());
      break;
    case VK_INSERT:
      if (readOnly_ || !dbOptions_.Contains(dgEditing) || !keyOptions_.Contains(dgAllowInsert)) return;
      ds->Insert();
      break;
    case VK_F2: {
      TField* field = SelectedField();
      if (!field || field->IsBlob() || HasCellControl(SelectedIndex())) return;
      showCellEditor();
      break;
    }
    default: baseKeyDown(Key, Shift); return;
  }
  Key = 0;
}

// The base grid's handling of a key OnKeyDown has already seen.
void TdcCustomDBGrid::baseKeyDown(WORD& Key, TShiftState Shift) {
  TKeyEvent handler = std::exchange(OnKeyDown, nullptr);
  try {
    TCustomGrid::KeyDown(Key, Shift);
  } catch (...) {
    OnKeyDown = std::move(handler);
    throw;
  }
  OnKeyDown = std::move(handler);
}

void TdcCustomDBGrid::downRecord() {
  TDataSet* ds = dataSet();
  // An untouched new record at the end stays the one new record.
  const bool inserting = ds->State() == dsInsert;
  NextRecord();
  if (!inserting && ds->Eof() && ds->CanModify() && !readOnly_ && dbOptions_.Contains(dgEditing) &&
      keyOptions_.Contains(dgAllowInsert)) {
    HideCustomControl();
    ds->Append();
  }
}

void TdcCustomDBGrid::tabMoveAcrossRecords(bool Forward) {
  const int start = SelectedIndex();
  const int last = GetFieldCount() - 1;
  const int firstScrolled = FixedCols() - indicatorOffset_;
  const auto takesTab = [this](int column) { return columnTakesTab(indicatorOffset_ + column); };
  int column = start;
  try {
    for (;;) {
      column += Forward ? 1 : -1;
      if (column > last) {
        HideCustomControl();
        tabMove_ = start == 0 && takesTab(0);
        downRecord();
        column = 0;
      } else if (column < firstScrolled) {
        HideCustomControl();
        tabMove_ = start != last && takesTab(last);
        PriorRecord();
        column = last;
      }
      if (column == start) {
        tabMove_ = false;
        return;
      }
      if (takesTab(column)) {
        tabMove_ = false;
        SetSelectedIndex(column);
        return;
      }
      tabMove_ = false;
    }
  } catch (...) {
    tabMove_ = false;
    throw;
  }
}

void TdcCustomDBGrid::deleteRecordByKey() {
  TDataSet* ds = dataSet();
  if (!keyOptions_.Contains(dgAllowDelete) || readOnly_ || !ds->CanModify() || !dbOptions_.Contains(dgEditing)) return;
  if (dbOptions_.Contains(dgConfirmDelete) &&
      MessageDlg(dcIntlDefaults->Navigator()->ConfirmDeleteMessage, mtConfirmation, {mbOK, mbCancel}, 0) == mrCancel)
    return;
  ds->Delete();
  hideCellEditor();
}
