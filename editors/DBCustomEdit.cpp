#include "editors/DBCustomEdit.h"

#include "datagrid/CustomDBGrid.h"
#include "datagrid/DateTextHelpers.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/FieldPictureMasks.h"
#include "datagrid/FieldTextTests.h"
#include "datagrid/DrawingHelpers.h"
#include "framework/base/Exception.h"
#include "framework/db/BlobField.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/Field.h"
#include "framework/db/StringField.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Color.h"
#include "framework/ui/Font.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/ScreenFacts.h"

const EnumerationType kdcEditDataTypeType{"TdcEditDataType", {"dcDefault", "dcEdtDate", "dcEdtTime", "dcEdtDateTime"}};

void TdcDBCustomEdit::PublishProperties(PropertyPublisher<TdcDBCustomEdit>& publish) {
  publish.Object("DataSource", &TdcDBCustomEdit::DataSource, &TdcDBCustomEdit::SetDataSource);
  publish.String("DataField", &TdcDBCustomEdit::DataField, &TdcDBCustomEdit::SetDataField);
  publish.Boolean("ReadOnly", &TdcDBCustomEdit::ReadOnly, &TdcDBCustomEdit::SetReadOnly);
  publish.Boolean("AutoFillDate", &TdcDBCustomEdit::AutoFillDate, &TdcDBCustomEdit::SetAutoFillDate);
  publish.Enumeration("UnboundDataType", kdcEditDataTypeType, &TdcDBCustomEdit::UnboundDataType,
                      &TdcDBCustomEdit::SetUnboundDataType);
}

TdcDBCustomEdit::TdcDBCustomEdit(TComponent* AOwner) : TdcCustomMaskEdit(AOwner) {
  SetColor(clWindow);
  setWindowReadOnly(true);
  link_.SetControl(this);
  link_.OnDataChange = [this] { DataChange(); };
  link_.OnEditingChange = [this] { EditingChange(); };
  link_.OnUpdateData = [this] { UpdateData(); };
  SetUsePictureMask(true);
  SetPaintHandler([this](Canvas& c) { return PaintSelf(c); });
}

TdcDBCustomEdit::~TdcDBCustomEdit() { link_.SetDataSource(nullptr); }

void TdcDBCustomEdit::FontChanged() {
  TdcCustomMaskEdit::FontChanged();
  if (!ComponentState().Contains(csLoading) && hasWindow()) SetEditRect();
}

void TdcDBCustomEdit::SetDataSource(TDataSource* Value) {
  link_.SetDataSource(Value);
  if (!Value) DataChange();
}

void TdcDBCustomEdit::SetDataField(const AnsiString& Value) {
  const bool loading = ComponentState().Contains(csLoading);
  if (!loading) ClearMaxLengthEqualToFieldSize();
  link_.SetFieldName(Value);
  if (!link_.Field()) DataChange();
  // A MaxLength that is the new field's size came from the field: the data change takes it anew.
  if (!loading) ClearMaxLengthEqualToFieldSize();
}

void TdcDBCustomEdit::SetReadOnly(bool Value) {
  link_.SetReadOnly(Value);
  setWindowReadOnly(Value || (link_.DataSource() && !link_.Editing()));
}

void TdcDBCustomEdit::ClearMaxLengthEqualToFieldSize() {
  TField* field = link_.Field();
  if (MaxLength() > 0 && dynamic_cast<TStringField*>(field) && field->Size() == MaxLength()) SetMaxLength(0);
}

void TdcDBCustomEdit::Loaded() {
  TdcCustomMaskEdit::Loaded();
  ClearMaxLengthEqualToFieldSize();
  if (!link_.DataSource() && !ReadOnly()) setWindowReadOnly(false);
}

void TdcDBCustomEdit::SetPicture(TdcDBPicture* Value) {
  TdcDBPicture* own = Picture();
  if (!own->PictureIsBound()) {
    TdcCustomMaskEdit::SetPicture(Value);
  } else if (Value && Value != own && !Value->PictureMask().empty()) {
    // A bound picture is the dataset's line: mask and auto-fill replaced, the grid flag kept. An
    // empty mask assigned leaves the line alone.
    SetFieldPictureMask(link_.DataSet(), DataField(), Value->PictureMask(), false, true, true, false, Value->AutoFill());
  }
  TField* field = link_.Field();
  SetEditMask(PictureInUse() || !field ? AnsiString() : field->EditMask());
}

bool TdcDBCustomEdit::IsMemoField() const {
  const auto* blob = dynamic_cast<const TBlobField*>(link_.Field());
  return blob && blob->BlobType() == ftMemo;
}

bool TdcDBCustomEdit::HasDateTimeContent(DateTimeContent& Content) const {
  TField* field = link_.Field();
  if (dynamic_cast<TTimeField*>(field) || (!field && unboundDataType_ == dcEdtTime)) Content = DateTimeContent::time;
  else if (dynamic_cast<TDateField*>(field) || (!field && unboundDataType_ == dcEdtDate)) Content = DateTimeContent::date;
  else if (dynamic_cast<TDateTimeField*>(field) || (!field && unboundDataType_ == dcEdtDateTime))
    Content = DateTimeContent::dateTime;
  else return false;
  return true;
}

TdcCustomDBGrid* TdcDBCustomEdit::ParentGrid() const { return dynamic_cast<TdcCustomDBGrid*>(Parent()); }

void TdcDBCustomEdit::MarkModified() {
  SetModified(true);
  link_.Modified();
}

void TdcDBCustomEdit::Change() {
  if (Modified()) link_.Modified();
  TdcCustomMaskEdit::Change();
}

// ---- the link's callbacks ----

void TdcDBCustomEdit::DataChange() {
  TField* field = link_.Field();
  if (!field) {
    alignment_ = taLeftJustify;
    SetEditMask("");
    SetText("");
    return;
  }
  if (alignment_ != field->Alignment()) {
    SetText("");
    alignment_ = field->Alignment();
  }
  if (!PictureInUse()) SetEditMask(field->EditMask());
  if (dynamic_cast<TStringField*>(field) && MaxLength() == 0 && !ComponentState().Contains(csLoading))
    SetMaxLength(field->Size());
  const bool memo = IsMemoField();
  if ((focused_ || memo) && link_.CanModify()) SetText(memo ? field->AsString() : field->Text());
  else SetText(field->DisplayText());
  Invalidate();
}

void TdcDBCustomEdit::EditingChange() { setWindowReadOnly(!link_.Editing()); }

void TdcDBCustomEdit::UpdateData() {
  if (windowReadOnly()) return;
  TField* field = link_.Field();
  TDataSet* dataSet = link_.DataSet();
  if (!Picture()->PictureMask().empty() && GetValidateWithMask(dataSet)) {
    AnsiString stored;
    GetStoredText(stored);
    if (!IsTextValidForPicture(stored)) {
      if (const TdcInvalidValueEvent handler = GetOnInvalidValue(dataSet)) handler(dataSet, field);
      else throw EInvalidOperation("Invalid input value.  Use escape key to abandon changes");
    }
  }
  if (!Modified() || !field) return;
  AnsiString text;
  GetStoredText(text);
  if (IsMemoField()) {
    field->SetAsString(text);
    return;
  }
  if (!link_.Editing() && !IsCalculatedOrLookupField(field)) return;
  // A time field keeps no date: the century rule is for texts that carry one.
  if (dynamic_cast<TDateTimeField*>(field) && !dynamic_cast<TTimeField*>(field) && !text.empty() &&
      IsDateTimeText(text)) {
    TDateTime value = DateTimeTextToValue(text);
    int year, month, day;
    DecodeDate(value, year, month, day);
    if (year < 1950) {
      TDateTime date;
      if (TryEncodeDate(year + 100, month, day, date)) value = ComposeDateTime(date, value - static_cast<long long>(value));
    }
    field->SetAsDateTime(value);
    return;
  }
  if (text.empty()) field->Clear();
  else field->SetText(text);
}

void TdcDBCustomEdit::GetEditRect(TRect& Rect) { Rect = ClientRect(); }

void TdcDBCustomEdit::GetStoredText(AnsiString& Text) { Text = this->Text(); }

// ---- editing ----

bool TdcDBCustomEdit::BeginFieldEdit() {
  link_.Edit();
  return link_.Editing();
}

bool TdcDBCustomEdit::EditCanModify() {
  TField* field = link_.Field();
  if (!field) return true;
  if (IsCalculatedOrLookupField(field))
    return !field->ReadOnly() && !ReadOnly() && field->DataSet() && field->DataSet()->CanModify();
  return link_.Edit();
}

void TdcDBCustomEdit::Reset() {
  if (link_.Field()) link_.Reset();
  else SetText(savedText_);
  SelectAll();
  SetModified(false);
  if (OnCheckValue) IsTextValidForPicture(Text());
}

void TdcDBCustomEdit::SetFocusedEditing(bool Value) {
  if (focused_ == Value) return;
  focused_ = Value;
  if (alignment_ != taLeftJustify && EditMask().empty()) Invalidate();
  if (link_.Field()) link_.Reset();
  else if (focused_) savedText_ = Text();
}

void TdcDBCustomEdit::DoEnter() {
  SetFocusedEditing(true);
  // Entered by a press on the edit or its button: the press places the caret, nothing is selected.
  const bool autoSelect = AutoSelect();
  if (GetKeyState(VK_LBUTTON) < 0) SetAutoSelect(false);
  TdcCustomMaskEdit::DoEnter();
  SetAutoSelect(autoSelect);
  if (!CaretAllowed()) Invalidate();
  if (ClassInheritsFromName(Parent() ? Parent()->ClassInfo() : nullptr, "TdcDBGrid")) SelectAll();
  if (!link_.Field()) SetModified(false);
}

void TdcDBCustomEdit::DoExit() {
  const bool modified = Modified();
  try {
    link_.UpdateRecord();
  } catch (...) {
    SelectAll();
    SetModified(modified);
    throw;
  }
  if (!CaretAllowed()) Invalidate();
  TdcCustomMaskEdit::DoExit();  // raises when the text may not leave
  SetFocusedEditing(false);
  SetSelStart(0);
}

bool TdcDBCustomEdit::PrepareClipboardChange() {
  if (!link_.DataSource()) {
    if (ReadOnly()) return false;
    setWindowReadOnly(false);
    return true;
  }
  return EditCanModify();
}

void TdcDBCustomEdit::CutToClipboard() {
  if (SelLength() > 0 && PrepareClipboardChange()) TdcCustomMaskEdit::CutToClipboard();
}

void TdcDBCustomEdit::PasteFromClipboard() {
  if (PrepareClipboardChange()) TdcCustomMaskEdit::PasteFromClipboard();
}

void TdcDBCustomEdit::AfterClipboard(TClipboardAction Action) {
  if (Action == caPaste || Action == caCut) {
    if (Action == caPaste) {
      const int caret = SelStart();
      const int length = static_cast<int>(Text().size());
      ReformatWithPicture();
      if (SelStart() == 0) SetSelStart(caret + static_cast<int>(Text().size()) - length);
    }
    MarkModified();
    if (OnCheckValue) IsTextValidForPicture(Text());
  }
  TdcCustomMaskEdit::AfterClipboard(Action);
}
