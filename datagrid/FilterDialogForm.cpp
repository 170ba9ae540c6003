#include "datagrid/FilterDialogForm.h"

#include <algorithm>

#include "datagrid/DialogButton.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/FieldTextTests.h"
#include "datagrid/FilterDialog.h"
#include "datagrid/FilterDialogView.h"
#include "datagrid/FilterTypedValues.h"
#include "datagrid/Intl.h"
#include "datagrid/SelectedLists.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/DateFormat.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringUtils.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// Match-type items of the value page.
constexpr int kExactItem = 0;
constexpr int kStartItem = 1;
constexpr int kAnywhereItem = 2;
// Unbound data types of the date-time picker.
constexpr int kPickerDateTime = 0;
constexpr int kPickerDate = 1;

AnsiString blanked(const AnsiString& label) { return StrReplaceCharByChar(label, '~', ' '); }

// An editing control of the library's editors, made by its class name; a plain edit where the
// program carries no such class.
TWinControl* PlaceEditor(const char* className, TComponent* owner, TWinControl* parent, int left, int top, int width,
                         int height) {
  TWinControl* control = FindRegisteredClass(className)
                             ? dynamic_cast<TWinControl*>(CreateComponentByClassName(className, owner))
                             : nullptr;
  if (!control) control = new TEdit(owner);
  control->SetParent(parent);
  control->SetBounds(left, top, width, height);
  return control;
}

int matchItemOf(TdcFilterMatchType type) {
  return type == fdMatchExact ? kExactItem : type == fdMatchAny ? kAnywhereItem : kStartItem;
}

TdcFilterMatchType matchTypeOfItem(int item) {
  return item == kExactItem ? fdMatchExact : item == kAnywhereItem ? fdMatchAny : fdMatchStart;
}

void setPictureMask(TWinControl* control, const AnsiString& mask) {
  const std::optional<TObject*> picture = ReadObjectProperty(control, "Picture");
  if (picture && *picture) WriteStringProperty(*picture, "PictureMask", mask);
}

}  // namespace

TdcFilterDlg::TdcFilterDlg(TComponent* AOwner, TdcFilterDialog& Dialog)
    : TForm(AOwner), dialog_(Dialog), dataSet_(Dialog.GetPrimaryDataSet()) {
  SetCaption("Super Search");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(476);
  SetClientHeight(240);
  Font()->SetName("MS Sans Serif");
  Font()->SetSize(8);
  Font()->SetStyle(TFontStyles{fsBold});
  SetKeyPreview(true);

  FieldsLbl = PlaceControl<TextLabel>(this, this, 8, 4, 165, 13);
  FieldsLbl->SetCaption("&Fields");
  FieldsListBox = PlaceControl<ListBox>(this, this, 8, 20, 165, 160);
  FieldsLbl->SetFocusControl(FieldsListBox);
  FieldTabSet = PlaceControl<TabStrip>(this, this, 8, 179, 165, 21);
  FieldTabSet->Tabs()->Add("&All");
  FieldTabSet->Tabs()->Add("&Searched");
  FieldTabSet->SetTabIndex(0);
  FieldOrder = PlaceControl<RadioButtonGroup>(this, this, 8, 205, 165, 36);
  FieldOrder->SetText("Field Order");
  FieldOrder->SetColumns(2);
  FieldOrder->Items()->Add("Alpha&betic");
  FieldOrder->Items()->Add("&Logical");
  FieldOrder->SetItemIndex(dialog_.SortBy == fdSortByFieldName ? 0 : 1);

  FieldCriteria = PlaceControl<GroupFrame>(this, this, 180, 4, 204, 198);
  SelectNotebook = PlaceControl<PageStack>(this, FieldCriteria, 4, 14, 196, 156);
  ValuePage = SelectNotebook->AddPage("AsString");
  RangePage = SelectNotebook->AddPage("asValue");

  FieldValueLbl = PlaceControl<TextLabel>(this, ValuePage, 4, 2, 150, 13);
  FieldValueLbl->SetCaption("Field &Value");
  FilterValueEdit = PlaceEditor("TdcDBEdit", this, ValuePage, 4, 18, 148, 21);
  FilterValueCombo = PlaceEditor("TdcDBComboBox", this, ValuePage, 4, 18, 148, 21);
  WriteBooleanProperty(FilterValueCombo, "ShowButton", false);
  FilterValueCombo->SetVisible(false);
  FilterValueClearButton = PlaceControl<TButton>(this, ValuePage, 156, 18, 38, 21);
  FilterValueClearButton->SetCaption("&Clear");
  MatchTypeGroup = PlaceControl<RadioButtonGroup>(this, ValuePage, 4, 44, 190, 66);
  MatchTypeGroup->SetText("Search Type");
  MatchTypeGroup->Items()->Add("&Exact Match");
  MatchTypeGroup->Items()->Add("&Partial Match at Beginning");
  MatchTypeGroup->Items()->Add("Partial Match Any&where");
  MatchTypeGroup->SetItemIndex(kStartItem);
  Panel1 = PlaceControl<TPanel>(this, ValuePage, 4, 112, 190, 41);
  Panel1->SetBevelOuter(bvNone);
  CaseSensitive = PlaceControl<CheckBox>(this, Panel1, 4, 4, 180, 17);
  CaseSensitive->SetCaption("Case Sensi&tive");
  Nonmatching = PlaceControl<CheckBox>(this, Panel1, 4, 21, 180, 17);
  Nonmatching->SetCaption("N&on-matching records");

  StartingRangeLbl = PlaceControl<TextLabel>(this, RangePage, 4, 2, 150, 13);
  StartingRangeLbl->SetCaption("&Starting Range");
  MinValueEdit = PlaceControl<TEdit>(this, RangePage, 4, 18, 148, 21);
  MinDateEdit = PlaceEditor("TdcDBDateTimePicker", this, RangePage, 4, 18, 148, 21);
  MinValueClearButton = PlaceControl<TButton>(this, RangePage, 156, 18, 38, 21);
  MinValueClearButton->SetCaption("&Clear");
  EndingRangeLbl = PlaceControl<TextLabel>(this, RangePage, 4, 46, 150, 13);
  EndingRangeLbl->SetCaption("En&ding Range");
  MaxValueEdit = PlaceControl<TEdit>(this, RangePage, 4, 62, 148, 21);
  MaxDateEdit = PlaceEditor("TdcDBDateTimePicker", this, RangePage, 4, 62, 148, 21);
  MaxValueClearButton = PlaceControl<TButton>(this, RangePage, 156, 62, 38, 21);
  MaxValueClearButton->SetCaption("Cl&ear");
  for (TWinControl* picker : {MinDateEdit, MaxDateEdit}) {
    WriteIntegerProperty(picker, "Epoch", 1950);
    picker->SetVisible(false);
  }

  ValueRangeTabSet = PlaceControl<TabStrip>(this, FieldCriteria, 4, 172, 196, 21);
  ValueRangeTabSet->Tabs()->Add("By &Value");
  ValueRangeTabSet->Tabs()->Add("By &Range");
  ValueRangeTabSet->SetTabIndex(0);

  ViewButton = PlaceControl<TButton>(this, this, 180, 209, 100, 25);
  ViewButton->SetCaption("View Su&mmary");
  ClearSearchButton = PlaceControl<TButton>(this, this, 284, 209, 100, 25);
  ClearSearchButton->SetCaption("&New Search");
  ClearSearchButton->SetEnabled(false);

  valueControl_ = FilterValueEdit;
  minControl_ = MinValueEdit;
  maxControl_ = MaxValueEdit;

  for (const TdcFieldInfo& source : dialog_.Criteria()) {
    TdcFieldInfo copy = source;
    copy.DisplayLabel = source.DisplayLabel.empty() ? source.FieldName : source.DisplayLabel;
    criteria_.push_back(copy);
  }
  dialog_.BuildFieldDescriptions();
  for (TdcFieldInfo& criterion : criteria_) criterion.FieldName = dialog_.FieldNameOfLabel(criterion.DisplayLabel);

  const int ppi = Screen->PixelsPerInch();
  auto scaled = [ppi](int value) { return value * ppi / 96; };
  OKButton = CreateDialogButton(this, dbkOK);
  OKButton->SetTabOrder(2);
  OKButton->SetBounds(FieldCriteria->Left() + FieldCriteria->Width() + scaled(7), scaled(22), OKButton->Width(),
                      OKButton->Height());
  OKButton->SetEnabled(false);
  OKButton->SetVisible(true);
  CancelButton = CreateDialogButton(this, dbkCancel);
  CancelButton->SetTabOrder(3);
  CancelButton->SetBounds(OKButton->Left(), scaled(62), CancelButton->Width(), CancelButton->Height());
  CancelButton->SetVisible(true);

  FieldsListBox->OnClick = [this](TObject*) {
    const int wanted = FieldsListBox->ItemIndex();
    FieldsListBox->SetItemIndex(editedIndex_);
    SelectField(wanted);
  };
  FieldOrder->OnClick = [this](TObject*) { FillFieldList(FieldTabSet->TabIndex() == 0); };
  MatchTypeGroup->OnClick = [this](TObject*) { ChooseValueControl(); };
  FieldTabSet->OnChanging = [this](TObject*, bool& AllowChange) { FieldTabChanging(AllowChange); };
  FieldTabSet->OnChange = [this](TObject*) {
    FillFieldList(FieldTabSet->TabIndex() == 0);
    editedIndex_ = FieldsListBox->ItemIndex();
    LoadField(true);
    ChoosePage();
  };
  ValueRangeTabSet->OnChanging = [this](TObject*, bool& AllowChange) { AllowChange = CommitField(); };
  ValueRangeTabSet->OnChange = [this](TObject*) {
    ShowPage(ValueRangeTabSet->TabIndex() == 1);
    FocusEditor();
  };
  for (TWinControl* control : {FilterValueEdit, FilterValueCombo, static_cast<TWinControl*>(MinValueEdit),
                               static_cast<TWinControl*>(MaxValueEdit), MinDateEdit, MaxDateEdit}) {
    auto typed = [this](TObject*) {
      OKButton->SetEnabled(true);
      UpdateButtons();
    };
    if (auto* edit = dynamic_cast<TCustomEdit*>(control))
      edit->OnChange = typed;
    else
      WriteEventProperty<TNotifyEvent>(control, "OnChange", typed);
  }
  FilterValueClearButton->OnClick = [this](TObject*) { SetControlText(valueControl_, ""); };
  MinValueClearButton->OnClick = [this](TObject*) { SetRangeText(minControl_, ""); };
  MaxValueClearButton->OnClick = [this](TObject*) { SetRangeText(maxControl_, ""); };
  ClearSearchButton->OnClick = [this](TObject*) { NewSearch(); };
  ViewButton->OnClick = [this](TObject*) { ViewSummary(); };
  OKButton->OnClick = [this](TObject*) {
    if (!CommitField()) SetModalResult(mrNone);
  };
  OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
    if (!FieldsListBox->Focused()) {
      const bool arrow = Key == VK_UP || Key == VK_DOWN;
      if (!(Key == VK_NEXT || Key == VK_PRIOR || arrow)) return;
      if (arrow && Shift.Contains(ssAlt)) return;
      TWinControl* focused = ActiveControl();
      if ((focused == MinDateEdit || focused == MaxDateEdit) && !focused->Text().empty()) return;
      const int itemHeight = IntMax(FieldsListBox->ItemHeight(), 1);
      const int page = IntMax(FieldsListBox->ClientHeight() / itemHeight, 1);
      const int delta = Key == VK_NEXT ? page : Key == VK_PRIOR ? -page : Key == VK_DOWN ? 1 : -1;
      const int count = FieldsListBox->Items()->Count();
      if (count == 0) return;
      const int target = std::clamp(FieldsListBox->ItemIndex() + delta, 0, count - 1);
      if (target != FieldsListBox->ItemIndex() && SelectField(target)) FocusEditor();
      Key = 0;
    } else if (Key == VK_DELETE && FieldTabSet->TabIndex() == 1) {
      const AnsiString label = EntryLabel(FieldsListBox->ItemIndex());
      for (auto it = criteria_.begin(); it != criteria_.end(); ++it)
        if (StrEqualNoCase(blanked(it->DisplayLabel), label)) {
          criteria_.erase(it);
          modified_ = true;
          break;
        }
      editedLabel_.clear();
      editedIndex_ = -1;
      FillFieldList(false);
      if (FieldsListBox->Items()->Count() > 0) FieldsListBox->SetItemIndex(0);
      editedIndex_ = FieldsListBox->ItemIndex();
      LoadField(true);
      ChoosePage();
      ClearSearchButton->SetEnabled(!criteria_.empty());
      Key = 0;
    }
  };
}

void TdcFilterDlg::FillFieldList(bool AllFields) {
  const AnsiString selected = EntryLabel(FieldsListBox->ItemIndex());
  TStrings* items = FieldsListBox->Items();
  items->Clear();
  FieldsListBox->SetSorted(FieldOrder->ItemIndex() == 0);
  auto add = [&](const AnsiString& label) {
    const AnsiString shown = blanked(label);
    if (!AllFields && !FindCriterion(shown)) return;
    if (IndexOfTextNoCase(*items, shown) >= 0) return;
    items->Add(shown);
  };
  TStrings* selectedFields = dialog_.SelectedFields();
  if (selectedFields->Count() > 0) {
    for (int i = 0; i < selectedFields->Count(); ++i) {
      int pos = 1;
      const AnsiString line = (*selectedFields)[i];
      const AnsiString name = Trim(StrGetToken(line, ";", pos));
      const AnsiString label = pos > 0 ? Trim(StrGetToken(line, ";", pos)) : AnsiString();
      TdcDBFieldInfo* description = dialog_.FindFieldDescription(name);
      if (!description) continue;
      if (!label.empty()) description->DisplayLabel = label;
      add(description->DisplayLabel);
    }
  } else {
    for (const TdcDBFieldInfo& description : dialog_.FieldDescriptions())
      if (IsSearchableFieldType(description.DataType)) add(description.DisplayLabel);
  }
  const int kept = selected.empty() ? -1 : IndexOfTextNoCase(*items, selected);
  FieldsListBox->SetItemIndex(kept >= 0 ? kept : items->Count() > 0 ? 0 : -1);
  if (!editedLabel_.empty()) editedIndex_ = IndexOfTextNoCase(*items, editedLabel_);
}

AnsiString TdcFilterDlg::EntryLabel(int Index) const {
  if (Index < 0 || Index >= FieldsListBox->Items()->Count()) return {};
  return (*FieldsListBox->Items())[Index];
}

TdcFieldInfo* TdcFilterDlg::FindCriterion(const AnsiString& Label) {
  const AnsiString wanted = blanked(Label);
  for (TdcFieldInfo& criterion : criteria_)
    if (StrEqualNoCase(blanked(criterion.DisplayLabel), wanted)) return &criterion;
  return nullptr;
}

TFieldType TdcFilterDlg::FieldTypeOfLabel(const AnsiString& Label) {
  const AnsiString name = dialog_.FieldNameOfLabel(Label);
  if (TField* field = dataSet_ && !name.empty() ? dataSet_->FindField(name) : nullptr) return field->DataType();
  if (const TdcDBFieldInfo* description = dialog_.FindFieldDescription(name.empty() ? Label : name))
    return description->DataType;
  return ftUnknown;
}

bool TdcFilterDlg::IsRangeType(TFieldType Type) const {
  switch (Type) {
    case ftSmallint: case ftInteger: case ftWord: case ftBoolean: case ftFloat: case ftCurrency: case ftBCD:
    case ftDate: case ftDateTime: case ftAutoInc:
      return true;
    case ftTime:
      return dialog_.FilterMethod() == fdByQueryModify;
    default:
      return false;
  }
}

void TdcFilterDlg::DoActivate() {
  activated_ = true;
  TForm::DoActivate();
}

void TdcFilterDlg::DoShow() {
  ArrangeForShow();
  TForm::DoShow();
}

void TdcFilterDlg::ArrangeForShow() {
  const int ppi = Screen->PixelsPerInch();
  auto scaled = [ppi](int value) { return value * ppi / 96; };
  if (!dialog_.HasOption(fdShowOKCancel)) {
    OKButton->SetTop(1000);
    CancelButton->SetTop(1000);
    SetClientWidth(ClientWidth() - OKButton->Width() - scaled(8));
  }
  const bool fieldOrder = dialog_.HasOption(fdShowFieldOrder);
  FieldOrder->SetVisible(fieldOrder);
  if (!dialog_.HasOption(fdShowViewSummary)) {
    ViewButton->SetVisible(false);
    ClearSearchButton->SetLeft(ViewButton->Left());
  }
  ValueRangeTabSet->SetVisible(dialog_.HasOption(fdShowValueRangeTab));
  const bool caseBox = dialog_.HasOption(fdShowCaseSensitive);
  CaseSensitive->SetVisible(caseBox);
  if (!dialog_.HasOption(fdShowNonMatching)) {
    Nonmatching->SetVisible(false);
    if (caseBox)
      Panel1->SetHeight(scaled(26));
    else
      Panel1->SetVisible(false);
  } else if (caseBox) {
    Panel1->SetHeight(scaled(41));
  } else {
    Panel1->SetHeight(scaled(26));
    Nonmatching->SetTop(scaled(5));
  }

  if (criteria_.empty()) {
    TField* field = dataSet_ && !dialog_.DefaultField.empty() ? dataSet_->FindField(dialog_.DefaultField) : nullptr;
    const AnsiString label = field ? blanked(field->DisplayLabel()) : dialog_.DefaultField;
    const int index = IndexOfTextNoCase(*FieldsListBox->Items(), label);
    if (FieldsListBox->Items()->Count() > 0) FieldsListBox->SetItemIndex(index >= 0 ? index : 0);
  } else {
    FieldTabSet->SetTabIndex(1);
    FillFieldList(false);
    if (FieldsListBox->Items()->Count() > 0) FieldsListBox->SetItemIndex(0);
  }
  editedIndex_ = FieldsListBox->ItemIndex();
  LoadField(true);
  ChoosePage();

  const int dlgHeight = dialog_.DlgHeight();
  FieldsListBox->SetHeight(scaled(fieldOrder ? dlgHeight - 107 : dlgHeight - 70));
  const int listBottom = FieldsListBox->Top() + FieldsListBox->Height();
  FieldTabSet->SetTop(listBottom - 1);
  int clearTop;
  if (fieldOrder) {
    FieldOrder->SetTop(FieldTabSet->Top() + FieldTabSet->Height() + scaled(5));
    clearTop = FieldOrder->Top() + scaled(8);
  } else {
    clearTop = listBottom - ClearSearchButton->Height();
  }
  ClearSearchButton->SetTop(IntMax(clearTop, scaled(209)));
  ViewButton->SetTop(ClearSearchButton->Top());
  SetHeight(scaled(dlgHeight));

  Screen->SetCursor(crDefault);
  ApplyTexts();
  FocusEditor();
  dialog_.DoInitDialog(this);
  modified_ = !dataSet_ || !dataSet_->Active();
}

void TdcFilterDlg::ApplyTexts() {
  const TdcFilterDialogIntl* t = dcIntlDefaults->FilterDialog();
  FieldsLbl->SetCaption(t->FieldsLabel);
  FieldOrder->SetText(t->FieldOrderLabel);
  FieldOrder->SetHint(t->FieldOrderHint);
  FieldOrder->Items()->Put(0, t->AlphabeticLabel);
  FieldOrder->Items()->Put(1, t->LogicalLabel);
  FieldTabSet->Tabs()->Put(0, t->AllFieldsLabel);
  FieldTabSet->Tabs()->Put(1, t->SearchedFieldsLabel);
  FieldTabSet->SetHint(t->AllSearchedTabHint);
  ValueRangeTabSet->Tabs()->Put(0, t->ByValueLabel);
  ValueRangeTabSet->Tabs()->Put(1, t->ByRangeLabel);
  ValueRangeTabSet->SetHint(t->ValueRangeTabHint);
  FieldValueLbl->SetCaption(t->FieldValueLabel);
  FilterValueEdit->SetHint(t->FieldValueHint);
  FilterValueCombo->SetHint(t->FieldValueHint);
  FilterValueClearButton->SetCaption(t->BtnClearFilterValue);
  FilterValueClearButton->SetHint(t->BtnClearFilterValueHint);
  MatchTypeGroup->SetText(t->SearchTypeLabel);
  MatchTypeGroup->SetHint(t->SearchTypeHint);
  MatchTypeGroup->Items()->Put(kExactItem, t->MatchExactLabel);
  MatchTypeGroup->Items()->Put(kStartItem, t->MatchStartLabel);
  MatchTypeGroup->Items()->Put(kAnywhereItem, t->MatchAnyLabel);
  CaseSensitive->SetCaption(t->CaseSensitiveLabel);
  CaseSensitive->SetHint(t->CaseSensitiveHint);
  Nonmatching->SetCaption(t->NonMatchingLabel);
  Nonmatching->SetHint(t->NonMatchingHint);
  StartingRangeLbl->SetCaption(t->StartingRangeLabel);
  EndingRangeLbl->SetCaption(t->EndingRangeLabel);
  for (TWinControl* control : {static_cast<TWinControl*>(MinValueEdit), MinDateEdit})
    control->SetHint(t->StartingRangeHint);
  for (TWinControl* control : {static_cast<TWinControl*>(MaxValueEdit), MaxDateEdit})
    control->SetHint(t->EndingRangeHint);
  MinValueClearButton->SetCaption(t->BtnClearMin);
  MinValueClearButton->SetHint(t->BtnClearMinHint);
  MaxValueClearButton->SetCaption(t->BtnClearMax);
  MaxValueClearButton->SetHint(t->BtnClearMaxHint);
  ViewButton->SetCaption(t->BtnViewSummary);
  ViewButton->SetHint(t->BtnViewSummaryHint);
  ClearSearchButton->SetCaption(t->BtnNewSearch);
  ClearSearchButton->SetHint(t->BtnNewSearchHint);
  Font()->SetStyle(dcIntlDefaults->DialogFontStyle);
}

AnsiString TdcFilterDlg::ControlText(TWinControl* Control) const { return Control ? Control->Text() : AnsiString(); }

void TdcFilterDlg::SetControlText(TWinControl* Control, const AnsiString& Text) {
  if (Control) Control->SetText(Text);
}

void TdcFilterDlg::SelectControlText(TWinControl* Control) {
  if (auto* edit = dynamic_cast<TCustomEdit*>(Control)) edit->SelectAll();
  if (Control && Control->Visible() && Visible()) Control->SetFocus();
}

AnsiString TdcFilterDlg::RangeText(TWinControl* Control) const {
  if (Control != MinDateEdit && Control != MaxDateEdit) return ControlText(Control);
  if (Control->Text().empty()) return {};
  const std::optional<double> date = ReadFloatProperty(Control, "Date");
  return date ? DateToStr(*date) : Control->Text();
}

void TdcFilterDlg::SetRangeText(TWinControl* Control, const AnsiString& Text) {
  if ((Control == MinDateEdit || Control == MaxDateEdit) && !Text.empty()) {
    TDateTime date = 0;
    if (ReadFilterValue(FilterValueKind::Date, Text, date) && WriteFloatProperty(Control, "Date", date)) return;
  }
  SetControlText(Control, Text);
}

bool TdcFilterDlg::RangePageShown() const { return SelectNotebook->ActivePage() == RangePage; }

void TdcFilterDlg::ShowPage(bool Range) {
  SelectNotebook->SetActivePage(Range ? RangePage : ValuePage);
  ValueRangeTabSet->SetTabIndex(Range ? 1 : 0);
}

void TdcFilterDlg::FocusEditor() {
  if (!Visible()) return;
  TWinControl* target = RangePageShown() ? minControl_ : valueControl_;
  if (!target || !target->Visible() || !target->Enabled()) return;
  target->SetFocus();
  if (RangePageShown())
    if (auto* edit = dynamic_cast<TCustomEdit*>(target)) edit->SelectAll();
}

bool TdcFilterDlg::ValidateFilterValue() {
  const AnsiString value = ControlText(valueControl_);
  if (value.empty() || editedLabel_.empty()) return true;
  const TdcFieldOperators& operators = dialog_.Operators();
  int pos = 1;
  while (pos > 0) {
    const AnsiString piece = Trim(StrGetToken(value, operators.OrChar(), pos));
    if (!StrEqualNoCase(piece, operators.NullChar()) && !IsValidTextForType(editedType_, piece)) return false;
  }
  return true;
}

bool TdcFilterDlg::CommitField() {
  if (editedLabel_.empty()) return true;
  if (IsRangeType(editedType_) && !ValidateFilterValue()) {
    ShowPage(false);
    SelectControlText(valueControl_);
    return false;
  }
  const AnsiString min = RangeText(minControl_);
  const AnsiString max = RangeText(maxControl_);
  for (auto [bound, control] : {std::pair{min, minControl_}, std::pair{max, maxControl_}})
    if (!IsValidTextForType(editedType_, bound)) {
      ShowPage(true);
      SelectControlText(control);
      return false;
    }
  if (activated_) {
    const TdcFilterMatchType type = RangePageShown() ? fdMatchRange : matchTypeOfItem(MatchTypeGroup->ItemIndex());
    StoreCriterion(editedLabel_, type, Nonmatching->Checked(), CaseSensitive->Checked(), max, min,
                   ControlText(valueControl_));
  }
  ClearSearchButton->SetEnabled(!criteria_.empty());
  return true;
}

void TdcFilterDlg::StoreCriterion(const AnsiString& Label, TdcFilterMatchType MatchType, bool NonMatching,
                                  bool CaseSensitiveValue, const AnsiString& Max, const AnsiString& Min,
                                  const AnsiString& Value) {
  const bool empty = MatchType == fdMatchRange ? Min.empty() && Max.empty() : Value.empty();
  TdcFieldInfo* criterion = FindCriterion(Label);
  if (criterion) {
    if (empty) {
      criteria_.erase(criteria_.begin() + (criterion - criteria_.data()));
      modified_ = true;
      return;
    }
    if (criterion->MatchType != MatchType || criterion->FilterValue != Value || criterion->MinValue != Min ||
        criterion->MaxValue != Max || criterion->CaseSensitive != CaseSensitiveValue ||
        criterion->NonMatching != NonMatching)
      modified_ = true;
  } else {
    if (Value.empty() && Min.empty() && Max.empty()) return;
    TdcFieldInfo added;
    added.FieldName = dialog_.FieldNameOfLabel(Label);
    added.DisplayLabel = Label;
    criteria_.push_back(added);
    criterion = &criteria_.back();
    modified_ = true;
  }
  criterion->MatchType = MatchType;
  criterion->FilterValue = Value;
  criterion->MinValue = Min;
  criterion->MaxValue = Max;
  criterion->CaseSensitive = CaseSensitiveValue;
  criterion->NonMatching = NonMatching;
}

bool TdcFilterDlg::SelectField(int Index) {
  if (!CommitField()) {
    FieldsListBox->SetItemIndex(editedIndex_);
    return false;
  }
  FieldsListBox->SetItemIndex(Index);
  editedIndex_ = Index;
  LoadField(true);
  ChoosePage();
  return true;
}

void TdcFilterDlg::LoadField(bool RealChange) {
  const AnsiString label = EntryLabel(FieldsListBox->ItemIndex());
  editedLabel_ = label;
  if (label.empty()) return;
  editedType_ = FieldTypeOfLabel(label);
  const bool dates = editedType_ == ftDate || editedType_ == ftDateTime;
  MinValueEdit->SetVisible(!dates);
  MaxValueEdit->SetVisible(!dates);
  MinDateEdit->SetVisible(dates);
  MaxDateEdit->SetVisible(dates);
  minControl_ = dates ? MinDateEdit : static_cast<TWinControl*>(MinValueEdit);
  maxControl_ = dates ? MaxDateEdit : static_cast<TWinControl*>(MaxValueEdit);
  if (dates)
    for (TWinControl* picker : {MinDateEdit, MaxDateEdit})
      WriteEnumerationProperty(picker, "UnboundDataType", editedType_ == ftDate ? kPickerDate : kPickerDateTime);
  StartingRangeLbl->SetFocusControl(minControl_);
  EndingRangeLbl->SetFocusControl(maxControl_);

  const TdcFieldInfo* criterion = FindCriterion(label);
  if (criterion && criterion->MatchType == fdMatchRange) {
    SetRangeText(minControl_, criterion->MinValue);
    SetRangeText(maxControl_, criterion->MaxValue);
    if (RealChange) {
      SetControlText(FilterValueEdit, "");
      SetControlText(FilterValueCombo, "");
    }
  } else if (criterion) {
    SetControlText(FilterValueEdit, criterion->FilterValue);
    SetControlText(FilterValueCombo, criterion->FilterValue);
    if (RealChange) {
      SetRangeText(minControl_, "");
      SetRangeText(maxControl_, "");
    }
  } else {
    SetControlText(FilterValueEdit, "");
    SetControlText(FilterValueCombo, "");
    SetRangeText(minControl_, "");
    SetRangeText(maxControl_, "");
  }
  CaseSensitive->SetChecked(criterion ? criterion->CaseSensitive : dialog_.HasOption(fdCaseSensitive));
  Nonmatching->SetChecked(criterion && criterion->NonMatching);

  if (RealChange && dialog_.OnSelectField) {
    const AnsiString name = dialog_.FieldNameOfLabel(label);
    AnsiString mask;
    StringList items;
    dialog_.DoSelectField(name.empty() ? label : name, mask, &items);
    setPictureMask(FilterValueEdit, mask);
    setPictureMask(FilterValueCombo, mask);
    if (std::optional<TStrings*> comboItems = ReadStringListProperty(FilterValueCombo, "Items"); comboItems && *comboItems)
      (*comboItems)->Assign(items);
    WriteBooleanProperty(FilterValueCombo, "ShowButton", items.Count() > 0);
    WriteBooleanProperty(FilterValueCombo, "ShowMatchText", items.Count() > 0);
  }
  const bool valueCriterion = criterion && criterion->MatchType != fdMatchRange;
  MatchTypeGroup->SetItemIndex(valueCriterion ? matchItemOf(criterion->MatchType)
                                              : matchItemOf(dialog_.DefaultMatchType == fdDefaultMatchExact ? fdMatchExact
                                                            : dialog_.DefaultMatchType == fdDefaultMatchAny ? fdMatchAny
                                                                                                            : fdMatchStart));
  FieldCriteria->SetText(label);
  ValueRangeTabSet->SetVisible(dialog_.HasOption(fdShowValueRangeTab));

  const bool table = dataSet_ && ClassInheritsFromName(dataSet_->ClassInfo(), "TTable");
  const bool statement = dataSet_ && (ClassInheritsFromName(dataSet_->ClassInfo(), "TQuery") ||
                                      ReadStringListProperty(dataSet_, "Sql").has_value());
  if (!table && IsRangeType(editedType_)) {
    MatchTypeGroup->SetItemIndex(kExactItem);
    MatchTypeGroup->SetEnabled(false);
    CaseSensitive->SetEnabled(false);
  } else if (statement && dialog_.FilterMethod() == fdByQueryModify && IsBlobType(editedType_)) {
    CaseSensitive->SetChecked(true);
    CaseSensitive->SetEnabled(false);
    ValueRangeTabSet->SetVisible(false);
  } else {
    MatchTypeGroup->SetEnabled(true);
    CaseSensitive->SetEnabled(true);
  }
  ChooseValueControl();
}

void TdcFilterDlg::ChoosePage() {
  if (FieldsListBox->Items()->Count() == 0) return;
  const TdcFieldInfo* criterion = FindCriterion(editedLabel_);
  bool range;
  if (!dialog_.HasOption(fdShowValueRangeTab))
    range = dialog_.DefaultFilterBy == fdFilterByRange;
  else if (criterion)
    range = criterion->MatchType == fdMatchRange;
  else if (dialog_.DefaultFilterBy == fdSmartFilter)
    range = IsRangeType(editedType_) && editedType_ != ftBoolean;
  else
    range = dialog_.DefaultFilterBy == fdFilterByRange;
  ShowPage(range);
}

void TdcFilterDlg::ChooseValueControl() {
  const std::optional<TStrings*> items = ReadStringListProperty(FilterValueCombo, "Items");
  const bool anywhere = MatchTypeGroup->ItemIndex() == kAnywhereItem;
  const bool combo = !anywhere && items && *items && (*items)->Count() > 0;
  TWinControl* next = combo ? FilterValueCombo : FilterValueEdit;
  if (next != valueControl_) {
    SetControlText(next, ControlText(valueControl_));
    valueControl_->SetVisible(false);
    next->SetVisible(true);
    valueControl_ = next;
  }
  WriteBooleanProperty(FilterValueEdit, "UsePictureMask", !anywhere);
  WriteBooleanProperty(FilterValueCombo, "UsePictureMask", !anywhere);
  FieldValueLbl->SetFocusControl(valueControl_);
}

void TdcFilterDlg::UpdateButtons() {
  FilterValueClearButton->SetEnabled(!ControlText(valueControl_).empty());
  MinValueClearButton->SetEnabled(!ControlText(minControl_).empty());
  MaxValueClearButton->SetEnabled(!ControlText(maxControl_).empty());
  ClearSearchButton->SetEnabled(!criteria_.empty() || !ControlText(valueControl_).empty() ||
                                !ControlText(minControl_).empty() || !ControlText(maxControl_).empty());
}

void TdcFilterDlg::NewSearch() {
  criteria_.clear();
  modified_ = true;
  SetControlText(valueControl_, "");
  SetRangeText(minControl_, "");
  SetRangeText(maxControl_, "");
  ClearSearchButton->SetEnabled(false);
  MatchTypeGroup->SetItemIndex(kStartItem);
  if (FieldTabSet->TabIndex() != 0) {
    FieldTabSet->SetTabIndex(0);
    FillFieldList(true);
    editedIndex_ = FieldsListBox->ItemIndex();
    LoadField(true);
    ChoosePage();
  }
}

void TdcFilterDlg::FieldTabChanging(bool& AllowChange) {
  const bool toSearched = FieldTabSet->TabIndex() == 0;
  if (!CommitField()) {
    AllowChange = false;
    return;
  }
  if (toSearched && criteria_.empty()) {
    MessageDlg(dcIntlDefaults->UserMessages()->FilterDlgNoCriteria, mtInformation, {mbOK}, 0);
    AllowChange = false;
  }
}

void TdcFilterDlg::ViewSummary() {
  if (!CommitField()) return;
  if (criteria_.empty()) {
    MessageDlg(dcIntlDefaults->UserMessages()->FilterDlgNoCriteria, mtInformation, {mbOK}, 0);
    return;
  }
  TdcFilterDialogView view(this, criteria_, dialog_.Operators());
  view.runModal();
  FocusEditor();
}
