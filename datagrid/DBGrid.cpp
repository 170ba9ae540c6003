// The published grid: its properties, binding to a dataset with the extension properties, the
// ControlType lines it registers, fixed data columns and the cell text.
#include "datagrid/DBGrid.h"

#include "datagrid/BlobFieldLoader.h"
#include "datagrid/CellDisplayMapping.h"
#include "datagrid/DcDataSource.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/LookupFieldLists.h"
#include "datagrid/SelectedLists.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"

namespace {

UnitRegistration unit("datagrid/DBGrid", {}, [] { RegisterClass<TdcDBGrid>(); });

const EnumerationType kMemoAttributeType{"TdcMemoAttribute",
                                         {"mSizeable", "mWordWrap", "mGridShow", "mViewOnly", "mDisableDialog"}};
const EnumerationType kEditControlOptionType{
    "TdcEditControlOption",
    {"ecoCheckboxSingleClick", "ecoSearchOwnerForm", "ecoDisableCustomControls", "ecoDisableDateTimePicker"}};

// The ControlType type of each SetControlType kind.
AnsiString controlTypeOfKind(int Kind) {
  switch (Kind) {
    case 2: return "CheckBox";
    case 3:
    case 5:
    case 6: return "CustomEdit";
    case 4: return "Bitmap";
    case 7: return "RichEdit";
    case 8: return "ImageIndex";
    default: return {};
  }
}

bool hasCalculatedField(TDataSet* ds) {
  for (int i = 0; i < ds->FieldCount(); ++i)
    if (ds->Fields()[i]->Calculated()) return true;
  return false;
}

}  // namespace

void TdcDBGrid::PublishProperties(PropertyPublisher<TdcDBGrid>& publish) {
  publish.Object(
      "DataSource", [](TdcDBGrid& grid) -> TDataSource* { return grid.DataSource(); },
      [](TdcDBGrid& grid, TDataSource* value) { grid.SetDataSource(value); });
  publish.Boolean("ControlInfoInDataset", &TdcDBGrid::ControlInfoInDataset, &TdcDBGrid::SetControlInfoInDataset);
  publish.StringList("ControlType", &TdcDBGrid::ControlType,
                     [](TdcDBGrid& grid, TStrings* value) { grid.SetControlType(value); });
  publish.Set("MemoAttributes", kMemoAttributeType, &TdcDBGrid::MemoAttributes, &TdcDBGrid::SetMemoAttributes);
  publish.Set("EditControlOptions", kEditControlOptionType, &TdcDBGrid::EditControlOptions,
              &TdcDBGrid::SetEditControlOptions);
  publish.Integer("FixedCols", &TdcDBGrid::FixedCols, &TdcDBGrid::SetFixedCols);
}

TdcDBGrid::TdcDBGrid(TComponent* AOwner) : TdcCustomDBGrid(AOwner) {}

TdcDBGrid::~TdcDBGrid() {
  // The bookmarks belong to the dataset's kind of bookmark: they go while it is still there.
  selection_.clear();
  shiftAnchor_.clear();
  if (mounted_) mounted_->RemoveFreeNotification(this);
}

TdcDataSource* TdcDBGrid::GetDataSource() const { return dynamic_cast<TdcDataSource*>(DataSource()); }

void TdcDBGrid::SetControlType(TStrings* Value) {
  if (Value) controlType_.Assign(*Value);
}

void TdcDBGrid::SetMemoAttributes(TdcMemoAttributes Value) {
  memoAttributes_ = Value;
  if (DataLink().Active()) bind();
}

void TdcDBGrid::SetTitleColor(TColor Value) {
  if (Value == TitleColor()) return;
  TdcCustomDBGrid::SetTitleColor(Value);
  LayoutColumns();
}

bool TdcDBGrid::designing() const { return ComponentState().Contains(csDesigning); }

// ---- binding ----

void TdcDBGrid::LinkActive(bool Value) {
  if (!Value) {
    if (dateTimePicker_) SetDataFieldOf(dateTimePicker_, "");
    boundDataSet_ = nullptr;
  }
  TdcCustomDBGrid::LinkActive(Value);
  TDataSet* ds = DataLink().DataSet();
  if (Value && ds != boundDataSet_) {
    boundDataSet_ = ds;
    bind();
  }
}

void TdcDBGrid::bind() {
  TDataSet* ds = DataLink().DataSet();
  if (binding_ || !DataSource() || !ds) return;
  if (!IsExtendedDataSet(ds)) {
    MessageDlg("dcGrid must use an Intavo compatible TDataSet.", mtInformation, {mbOK}, 0);
    SetDataSource(nullptr);
    return;
  }
  binding_ = true;
  ds->DisableControls();
  try {
    mountCustomControls();
    remember(nullptr);
    if (controlInfoInDataset_) {
      RemoveEntriesOfMissingFields(ds, GetLookupFieldList(ds), GetLookupLinkList(ds), GetControlTypeList(ds));
      RemoveUnresolvedControlTypes(ds, ds);
    }
    if (Selected().Count() > 0 && (designing() || !hasCalculatedField(ds))) {
      if (UseTFields()) {
        ApplySelectedToFields(ds, Selected());
      } else {
        controlsMounted_ = false;
        mountCustomControls();
        LayoutColumns();
      }
    }
    if (designing() && UseTFields()) {
      BuildSelectedFromFields(ds, Selected());
      UpdateRowCount();
    }
  } catch (...) {
    binding_ = false;
    ds->EnableControls();
    throw;
  }
  binding_ = false;
  ds->EnableControls();
}

void TdcDBGrid::Loaded() {
  TdcCustomDBGrid::Loaded();
  if (!controlsMounted_) {
    mountCustomControls();
    LayoutColumns();
  }
}

void TdcDBGrid::SetControlType(const AnsiString& FieldName, int Kind, const AnsiString& ControlName) {
  const AnsiString type = controlTypeOfKind(Kind);
  if (type == "RichEdit" || type == "CustomEdit") {
    if (TWinControl* control = findNamedControl(ControlName); control && customControlsEnabled())
      mountControl(control, FieldName);
  }
  TObject* holder = controlInfoInDataset_ ? static_cast<TObject*>(DataLink().DataSet()) : this;
  SetFieldControlType(holder, FieldName, type, ControlName);
}

FieldControlType TdcDBGrid::GetControlType(TField* Field) {
  const TObject* holder = controlInfoInDataset_ ? static_cast<const TObject*>(Field->DataSet()) : this;
  FieldControlType line = GetFieldControlType(holder, Field->FieldName());
  if (!customControlsEnabled() && IsControlNamingType(line.Type)) return {};
  return line;
}

// ---- fixed columns ----

void TdcDBGrid::SetFixedCols(int Value) {
  if (designing() && (Value < 0 || (DataLink().Active() && Value >= GetFieldCount()))) {
    MessageDlg("Invalid value for FixedCols", mtWarning, {mbOK}, 0);
    return;
  }
  fixedDataCols_ = Value;
  LayoutColumns();
}

void TdcDBGrid::SetColumnAttributes() {
  TdcCustomDBGrid::SetColumnAttributes();
  TDataSet* ds = DataLink().DataSet();
  if (!ds) return;
  if (ds->Active() && fixedDataCols_ > 0 && fixedDataCols_ < GetFieldCount())
    TCustomGrid::SetFixedCols(IndicatorOffset() + fixedDataCols_);
  for (int i = 0; i < GetFieldCount(); ++i) {
    const int column = i + IndicatorOffset();
    TField* field = GetFields(i);
    if (column < TCustomGrid::FixedCols()) {
      setColumnTakesTab(column, false);
    } else if (field->Calculated() && !field->ReadOnly()) {
      const AnsiString type = GetControlType(field).Type;
      if (cellControl(i) || isSelectionColumn(i) || SameText(type, "Bitmap") || SameText(type, "ImageIndex"))
        setColumnTakesTab(column, true);
    }
  }
  if (Col() < TCustomGrid::FixedCols() && columnCount() > TCustomGrid::FixedCols())
    moveCurrentCell(TCustomGrid::FixedCols(), Row());
}

// ---- the cell text ----

AnsiString TdcDBGrid::GetCellText(TField* Field) {
  if (Field->IsBlob() && SameText(GetControlType(Field).Type, "RichEdit")) {
    TWinControl* hidden = hiddenRichEdit();
    if (auto* loader = dynamic_cast<BlobFieldLoader*>(hidden)) {
      loader->LoadFromBlobField(Field);
      return hidden->Text();
    }
  }
  const TFieldType type = Field->DataType();
  if (type == ftMemo || type == ftFmtMemo) {
    TDataSet* ds = Field->DataSet();
    if (ds->Bof() && ds->Eof() && ds->State() != dsInsert) return {};
    if (!memoAttributes_.Contains(mGridShow)) return "(Memo)";
    try {
      return Field->AsString();
    } catch (const std::exception&) {
      return "(Memo)";
    }
  }
  const FieldControlType line = GetControlType(Field);
  if (IsControlNamingType(line.Type)) {
    if (auto* mapping = dynamic_cast<CellDisplayMapping*>(findNamedControl(line.Params))) {
      AnsiString shown;
      if (mapping->GetMappedDisplayText(Field->AsString(), shown)) return shown;
    }
  }
  return Field->DisplayText();
}
