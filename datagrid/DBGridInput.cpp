// The published grid's keys and mouse around the base grid's: keys passed on to the mounted
// control, memo cells opened in the memo dialog, check boxes toggled, records selected by the
// mouse.
#include <memory>

#include "datagrid/DBGrid.h"
#include "datagrid/ExtensionLines.h"
#include "datagrid/InputHelpers.h"
#include "datagrid/MemoDialog.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/HandlerCall.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/VirtualKeys.h"

using qn::ui::callHandler;

bool TdcDBGrid::isMemoCell(int DataColumn) {
  const TField* field = GetFields(DataColumn);
  return field && (field->DataType() == ftMemo || field->DataType() == ftFmtMemo);
}

bool TdcDBGrid::isRichEditCell(int DataColumn) {
  TField* field = GetFields(DataColumn);
  return field && SameText(GetControlType(field).Type, "RichEdit");
}

bool TdcDBGrid::isCheckBoxCell(int DataColumn) {
  TField* field = GetFields(DataColumn);
  return field && SameText(GetControlType(field).Type, "CheckBox");
}

bool TdcDBGrid::isSelectionColumn(int DataColumn) {
  const TField* field = GetFields(DataColumn);
  return field && field->Calculated() && SameText(field->FieldName(), "selected") && isCheckBoxCell(DataColumn);
}

bool TdcDBGrid::focusCellControl() {
  TWinControl* control = cellControl(SelectedIndex());
  if (!control || !control->Visible() || !control->CanFocus()) return false;
  control->SetFocus();
  return control->Focused();
}

void TdcDBGrid::sendF2ToRichEdit() {
  TField* field = SelectedField();
  if (TWinControl* rich = findNamedControl(GetControlType(field).Params)) qn::ui::sendKey(rich, VK_F2, {});
}

void TdcDBGrid::toggleCheckBox(int DataColumn) {
  TField* field = GetFields(DataColumn);
  if (!field || field->ReadOnly() || readOnlyFlag(DataColumn)) return;
  if (isSelectionColumn(DataColumn)) {
    if (CurrentRecordSelected()) UnselectRecord();
    else SelectRecord();
    return;
  }
  TDataSet* ds = field->DataSet();
  if (!DataSource()->AutoEdit() && ds->State() != dsEdit && ds->State() != dsInsert) return;
  if (!DataLink().Edit()) return;
  const std::vector<AnsiString> values = SplitLine(GetControlType(field).Params, ';');
  const AnsiString checked = values.empty() ? AnsiString() : values[0];
  const AnsiString unchecked = values.size() > 1 ? values[1] : AnsiString();
  // As the painting reads it: a box shown checked must clear.
  field->SetText(SameText(GetCellText(field), checked) ? unchecked : checked);
  repaintCell(DataColumn + IndicatorOffset(), Row());
}

void TdcDBGrid::openMemo() {
  if (memoAttributes_.Contains(mDisableDialog)) return;
  TField* field = SelectedField();
  if (!field) return;
  auto dialog = std::make_unique<TdcMemoDialog>(this);
  dialog->SetDataSource(DataSource());
  dialog->SetDataField(field->FieldName());
  dialog->MemoAttributes = memoAttributes_;
  if (!editable() || field->ReadOnly()) dialog->MemoAttributes.Include(mViewOnly);
  AnsiString caption = field->DisplayLabel();
  for (char& c : caption)
    if (c == '~') c = ' ';
  dialog->Caption = caption;
  dialog->SetFont(Font());
  dialog->DlgLeft = -1;
  auto finish = [this] {
    repaintCell(Col(), Row());
    hideCellEditor();
  };
  try {
    callHandler(OnMemoOpen, this, dialog.get());
    const bool confirmed = dialog->Execute();
    callHandler(OnMemoClose, this, !confirmed);
  } catch (...) {
    dialog.reset();
    finish();
    throw;
  }
  dialog.reset();
  finish();
}

void TdcDBGrid::KeyDown(WORD& Key, TShiftState Shift) {
  const int column = SelectedIndex();
  if (Key == VK_DOWN && Shift.Contains(ssAlt) && mounted_ && mounted_->Visible() && cellControl(column) == mounted_) {
    if (focusCellControl()) qn::ui::sendKey(mounted_, VK_DOWN, Shift);
    Key = 0;
    return;
  }
  TdcCustomDBGrid::KeyDown(Key, Shift);
  if (Key == 0 || !DataLink().Active() || !SelectedField()) return;
  const bool checkBox = isCheckBoxCell(column);
  if (!(isMemoCell(column) || editable() || isSelectionColumn(column))) return;
  if (!checkBox && cellControl(column)) {
    if (Key == VK_F2) {
      if (focusCellControl()) Key = 0;
    } else if (IsTextEditKey(Key) && focusCellControl()) {
      qn::ui::KeysHeldDown held(Key, Shift);
      qn::ui::sendKey(mounted_, Key, Shift);
    }
    return;
  }
  if (Key == VK_F2 && (isRichEditCell(column) || isMemoCell(column))) {
    Key = 0;
    if (isRichEditCell(column)) sendF2ToRichEdit();
    else openMemo();
    repaintCell(Col(), Row());
    return;
  }
  if (checkBox && Key == VK_SPACE) {
    Key = 0;
    toggleCheckBox(column);
  }
}

void TdcDBGrid::KeyPress(char& Key) {
  const int column = SelectedIndex();
  const auto code = static_cast<unsigned char>(Key);
  const bool typed = code == 8 || code >= 32;
  if (typed && editable() && DataLink().Active() &&
      (isMemoCell(column) || (cellControl(column) && !isCheckBoxCell(column)))) {
    if (focusCellControl()) qn::ui::postCharacter(Key);
    Key = 0;
    return;
  }
  TdcCustomDBGrid::KeyPress(Key);
}

void TdcDBGrid::DblClick() {
  TdcCustomDBGrid::DblClick();
  const int column = SelectedIndex();
  if (!DataLink().Active() || !SelectedField()) return;
  if (isRichEditCell(column)) sendF2ToRichEdit();
  else if (isMemoCell(column)) openMemo();
  else if (isCheckBoxCell(column) && !editControlOptions_.Contains(ecoCheckboxSingleClick)) toggleCheckBox(column);
}

void TdcDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TBookmarkStr anchorBefore = shiftAnchor_;
  TdcCustomDBGrid::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Shift.Contains(ssDouble) || !DataLink().Active()) return;
  const auto cell = cellAtPoint({X, Y});
  if (!cell || cell->row < TitleOffset() || cell->column < IndicatorOffset()) return;
  const int column = cell->column - IndicatorOffset();
  if (!GetFields(column)) return;
  const bool multiSelect = DBOptions().Contains(dgMultiSelect);
  if (!(editable() || isSelectionColumn(column) || multiSelect)) return;
  if (isCheckBoxCell(column) && editControlOptions_.Contains(ecoCheckboxSingleClick)) toggleCheckBox(column);
  if (TWinControl* control = cellControl(column); control && !control->Visible() && cell->column == Col() && cell->row == Row())
    repaintCell(cell->column, cell->row);
  TDataSet* ds = DataLink().DataSet();
  if (multiSelect && Shift.Contains(ssShift) && !anchorBefore.empty()) {
    TBookmarkStr anchor = anchorBefore;
    if (ds->BookmarkValid(anchor.data())) selectRange(anchorBefore);
  }
}
