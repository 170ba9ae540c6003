// The edit controls the published grid mounts into its current cell: finding them by name,
// preparing them, placing them while the cell is painted and hiding them when the cell goes.
#include "datagrid/DBGrid.h"

#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/SelectedLists.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/Field.h"
#include "framework/ui/Edit.h"
#include "framework/ui/FormBase.h"
#include "framework/ui/InplaceEdit.h"
#include "framework/ui/SafeDispatch.h"

namespace {

constexpr const char* kDateTimePickerClass = "TdcDBDateTimePicker";
constexpr const char* kRichEditClass = "TdcDBRichEdit";

// A control of the record-view dialog edits its own record, never a grid cell.
bool onRecordViewForm(const TWinControl* control) {
  const FormBase* form = GetParentForm(control);
  return form && ClassInheritsFromName(form->ClassInfo(), "TdcRecordViewForm");
}

// Makes a control of a registered class owned and parented by the grid, hidden; nullptr when the
// class is not part of the program.
TWinControl* makeHiddenControl(const char* className, TWinControl* grid) {
  if (!FindRegisteredClass(className)) return nullptr;
  auto* control = dynamic_cast<TWinControl*>(CreateComponentByClassName(className, grid));
  if (!control) return nullptr;
  control->SetVisible(false);
  control->SetParent(grid);
  return control;
}

}  // namespace

bool TdcDBGrid::editable() const { return DBOptions().Contains(dgEditing) && !ReadOnly(); }

bool TdcDBGrid::gridIsActiveControl() const {
  const FormBase* form = GetParentForm(this);
  return form && form->ActiveControl() == this;
}

bool TdcDBGrid::mountedIsActiveControl() const {
  const FormBase* form = GetParentForm(this);
  return mounted_ && form && form->ActiveControl() == mounted_;
}

TComponent* TdcDBGrid::searchRoot() const {
  if (editControlOptions_.Contains(ecoSearchOwnerForm))
    for (TComponent* owner = Owner(); owner; owner = owner->Owner())
      if (dynamic_cast<FormBase*>(owner)) return owner;
  return GetParentForm(this);
}

TWinControl* TdcDBGrid::findNamedControl(const AnsiString& Name) const {
  if (Name.empty()) return nullptr;
  TComponent* found = nullptr;
  const size_t dot = Name.find('.');
  if (dot == AnsiString::npos) {
    if (const TComponent* root = searchRoot()) found = root->FindComponent(Name);
  } else if (const TDataSet* ds = DataLink().DataSet(); ds && ds->Owner()) {
    found = ds->Owner()->FindComponent(Name.substr(dot + 1));
  }
  return dynamic_cast<TCustomEdit*>(found);
}

void TdcDBGrid::prepareControl(TWinControl* Control, const AnsiString& FieldName) {
  if (Control->Parent() != this) Control->SetParent(this);
  if (GetDataSourceOf(Control) != DataSource()) SetDataSourceOf(Control, DataSource());
  if (!SameText(GetDataFieldOf(Control), FieldName)) SetDataFieldOf(Control, FieldName);
  Control->SetCtl3D(false);
  Control->SetBorderStyle(bsNone);
}

void TdcDBGrid::mountControl(TWinControl* Control, const AnsiString& FieldName) {
  Control->SetVisible(false);
  prepareControl(Control, FieldName);
  Control->SetFont(Font());
}

void TdcDBGrid::mountCustomControls() {
  if (!customControlsEnabled() || (controlsMounted_ && !designing())) return;
  const TStrings* lines = controlInfoInDataset_ ? GetControlTypeList(DataLink().DataSet()) : &controlType_;
  for (int i = 0; lines && i < lines->Count(); ++i) {
    const std::vector<AnsiString> tokens = SplitLine(lines->Strings(i), ';');
    if (tokens.size() < 3 || !(IsControlNamingType(tokens[1]) || SameText(tokens[1], "RichEdit"))) continue;
    if (TWinControl* control = findNamedControl(tokens[2])) mountControl(control, tokens[0]);
  }
  controlsMounted_ = true;
}

bool TdcDBGrid::usesDateTimePicker(TField* Field) const {
  return dynamic_cast<TDateTimeField*>(Field) && !editControlOptions_.Contains(ecoDisableDateTimePicker) &&
         FindRegisteredClass(kDateTimePickerClass);
}

TWinControl* TdcDBGrid::customEditOf(int DataColumn) {
  TField* field = GetFields(DataColumn);
  if (!field || !customControlsEnabled()) return nullptr;
  const FieldControlType line = GetControlType(field);
  if (!IsControlNamingType(line.Type)) return nullptr;
  TWinControl* control = findNamedControl(line.Params);
  return control && !onRecordViewForm(control) ? control : nullptr;
}

TWinControl* TdcDBGrid::cellControl(int DataColumn) {
  if (TWinControl* custom = customEditOf(DataColumn)) return custom;
  TField* field = GetFields(DataColumn);
  return field && usesDateTimePicker(field) ? dateTimePicker_ : nullptr;
}

bool TdcDBGrid::HasCellControl(int DataColumn) {
  TField* field = GetFields(DataColumn);
  if (!field) return false;
  const AnsiString type = GetControlType(field).Type;
  if (SameText(type, "Bitmap") || SameText(type, "ImageIndex") || SameText(type, "CheckBox")) return true;
  if (IsControlNamingType(type) && customEditOf(DataColumn)) return true;
  return usesDateTimePicker(field);
}

TWinControl* TdcDBGrid::hiddenRichEdit() {
  if (!richEdit_) richEdit_ = makeHiddenControl(kRichEditClass, this);
  return richEdit_;
}

void TdcDBGrid::DoCreateDateTimePicker() {
  if (OnCreateDateTimePicker) OnCreateDateTimePicker(this, dateTimePicker_);
}

void TdcDBGrid::remember(TWinControl* Control) {
  if (Control == mounted_) return;
  if (mounted_) mounted_->RemoveFreeNotification(this);
  mounted_ = Control;
  if (mounted_) mounted_->FreeNotification(this);
}

void TdcDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TdcCustomDBGrid::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == mounted_) mounted_ = nullptr;
  if (AComponent == dateTimePicker_) dateTimePicker_ = nullptr;
  if (AComponent == richEdit_) richEdit_ = nullptr;
}

void TdcDBGrid::ColEnter() {
  TField* field = SelectedField();
  if (!designing() && field) {
    if (TWinControl* custom = customEditOf(SelectedIndex()); custom && editable()) {
      prepareControl(custom, field->FieldName());
    } else if (usesDateTimePicker(field)) {
      if (!dateTimePicker_ && (dateTimePicker_ = makeHiddenControl(kDateTimePickerClass, this))) {
        dateTimePicker_->FreeNotification(this);
        DoCreateDateTimePicker();
      }
      if (dateTimePicker_) {
        dateTimePicker_->SetVisible(false);
        prepareControl(dateTimePicker_, field->FieldName());
      }
    }
  }
  TdcCustomDBGrid::ColEnter();
}

void TdcDBGrid::ColExit() {
  if (gridIsActiveControl() || mountedIsActiveControl()) HideCustomControl();
  TdcCustomDBGrid::ColExit();
}

void TdcDBGrid::HideCustomControl() {
  if (!mounted_ || !mounted_->Visible() || mounted_->Parent() != this) return;
  if (mounted_->Focused() && CanFocus()) SetFocus();
  mounted_->SetVisible(false);
}

void TdcDBGrid::DoExit() {
  TdcCustomDBGrid::DoExit();
  // The focus may be going into the mounted control itself; only once it has settled elsewhere
  // does the control go.
  qn::ui::postCall(this, [this] {
    if (!Focused() && !(mounted_ && mounted_->Focused())) HideCustomControl();
  });
}

void TdcDBGrid::UpdateData() {
  TdcCustomDBGrid::UpdateData();
  if (mounted_ && mounted_->Visible()) mounted_->DoExit();
}

void TdcDBGrid::columnMoved(int FromIndex, int ToIndex) {
  HideCustomControl();
  TdcCustomDBGrid::columnMoved(FromIndex, ToIndex);
}

void TdcDBGrid::scrollOriginChanged() {
  TdcCustomDBGrid::scrollOriginChanged();
  if (DBOptions().Contains(dgRowSelect) && firstScrollRow() != TitleOffset()) setFirstScrollRow(TitleOffset());
  if (!mounted_ || !mounted_->Visible()) return;
  const TRect cell = cellBounds(mountedCell_.column, mountedCell_.row);
  if (cell.IsEmpty()) {
    HideCustomControl();
  } else if (!(cell == mounted_->BoundsRect())) {
    HideCustomControl();
    Invalidate();
  }
}

bool TdcDBGrid::CanEdit() {
  const int column = SelectedIndex();
  if (HasCellControl(column) || isMemoCell(column)) return false;
  if (DBOptions().Contains(dgAlwaysShowEditor) && !Focused() && !(cellEditor() && cellEditor()->Focused()))
    return false;
  return TdcCustomDBGrid::CanEdit();
}

// ---- painting ----

bool TdcDBGrid::mountedFieldShown() {
  TDataSet* ds = DataLink().DataSet();
  const AnsiString name = GetDataFieldOf(mounted_);
  if (!UseTFields()) return FindSelectedLine(Selected(), name) >= 0;
  const TField* field = ds ? ds->FindField(name) : nullptr;
  return field && field->Visible();
}

void TdcDBGrid::Paint() {
  RefreshSelectedMarks();
  if (mounted_ && mounted_->Visible() && !mountedFieldShown()) HideCustomControl();
  TdcCustomDBGrid::Paint();
}

void TdcDBGrid::DrawCell(int ACol, int ARow, TRect ARect, GridCellStates AState) {
  if (painting_) {
    TdcCustomDBGrid::DrawCell(ACol, ARow, ARect, AState);
    return;
  }
  painting_ = true;
  try {
    // Under a cell's control lies the plain cell colour the grid chose.
    if (paintCellControl(ACol, ARow, ARect, AState)) GetPaintCanvas().fillRect(ARect);
    else TdcCustomDBGrid::DrawCell(ACol, ARow, ARect, AState);
  } catch (...) {
    painting_ = false;
    throw;
  }
  painting_ = false;
}

bool TdcDBGrid::paintCellControl(int ACol, int ARow, const TRect& ARect, GridCellStates AState) {
  const int dataColumn = ACol - IndicatorOffset();
  const bool current = ACol == Col() && ARow == Row() && ARow >= TitleOffset() && dataColumn >= 0;
  if (current && customControlsEnabled() && HasCellControl(dataColumn) && editable() && !designing()) {
    if (TWinControl* control = cellControl(dataColumn)) {
      remember(control);
      if (control->Parent() == this && mountedIsActiveControl()) {
        const TRect now = control->BoundsRect();
        if (now.Left != ARect.Left || now.Right != ARect.Right) control->SetBoundsRect(ARect);
        return true;
      }
      const int record = ARow - TitleOffset();
      if (gridIsActiveControl() && HighlightCell(dataColumn, record, AState, {})) {
        TField* field = GetFields(dataColumn);
        if (ClassInheritsFromName(control->ClassInfo(), "TdcDBCustomLookupCombo")) {
          control->SetText(field->AsString());
        } else {
          const int active = DataLink().ActiveRecord();
          DataLink().SetActiveRecord(record);
          try {
            control->SetText(GetCellText(field));
          } catch (...) {
            DataLink().SetActiveRecord(active);
            throw;
          }
          DataLink().SetActiveRecord(active);
        }
        prepareControl(control, field->FieldName());
        control->SetBoundsRect(ARect);
        control->SetVisible(true);
        if (DBOptions().Contains(dgAlwaysShowEditor)) control->SetFocus();
        control->Invalidate();
        mountedCell_ = {ACol, ARow};
        return true;
      }
    }
  }
  if (!designing() && mounted_ && mounted_->Visible() && mountedCell_ == GridCoord{ACol, ARow} &&
      mounted_->BoundsRect() == ARect) {
    mounted_->Invalidate();
    return true;
  }
  return false;
}
