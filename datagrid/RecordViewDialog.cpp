#include "datagrid/RecordViewDialog.h"

#include <algorithm>

#include "datagrid/DBNavigator.h"
#include "datagrid/DialogButton.h"
#include "datagrid/DisplayRefresh.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/FieldControlTypes.h"
#include "datagrid/FieldTextTests.h"
#include "datagrid/InputHelpers.h"
#include "datagrid/Intl.h"
#include "datagrid/IntlDialogTexts.h"
#include "datagrid/LocateDialogForm.h"
#include "datagrid/RecordViewControls.h"
#include "datagrid/RecordViewForm.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/IntegerText.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Button.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Font.h"
#include "framework/ui/Panel.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/ScrollArea.h"
#include "framework/ui/VirtualKeys.h"

namespace {

UnitRegistration unit("datagrid/RecordViewDialog", {}, [] { RegisterClass<TdcRecordViewDialog>(); });

bool IsMemoOrRichEdit(const TControl* control) {
  return dynamic_cast<const TdcDBMemo*>(control) || ClassInheritsFromName(control->ClassInfo(), "TdcCustomRichEdit");
}

}  // namespace

// One line of the record: a field (none for a Selected line naming no field), its width in
// characters, its title and whether it is shown read-only.
struct TdcRecordViewDialog::FieldLine {
  TField* field = nullptr;
  int width = 0;
  AnsiString title;
  bool readOnly = false;
};

struct TdcRecordViewDialog::Layout {
  std::vector<FieldLine> lines;
  int formWidth = 0;
  int availableWidth = 0;
  int widestControl = 0;
  int widestRow = 0;
  int contentHeight = 0;
  int increment = 0;
  int charWidth = 0;
  int labelWidth = 0;  // of the field being placed
};

void TdcRecordViewDialog::PublishProperties(PropertyPublisher<TdcRecordViewDialog>& publish) {
  publish.Object("DataSource", &TdcRecordViewDialog::DataSource, &TdcRecordViewDialog::SetDataSource)
      .Object("Navigator", &TdcRecordViewDialog::Navigator, &TdcRecordViewDialog::SetNavigator)
      .String("Caption", &TdcRecordViewDialog::Caption, &TdcRecordViewDialog::Caption)
      .Boolean("ControlInfoInDataset", &TdcRecordViewDialog::ControlInfoInDataset,
               &TdcRecordViewDialog::ControlInfoInDataset)
      .StringList("ControlType", [](TdcRecordViewDialog& d) { return static_cast<TStrings*>(&d.ControlType); },
                  [](TdcRecordViewDialog& d, TStrings* v) { d.ControlType.Assign(v); })
      .StringList("Selected", [](TdcRecordViewDialog& d) { return static_cast<TStrings*>(&d.Selected); },
                  [](TdcRecordViewDialog& d, TStrings* v) { d.Selected.Assign(v); })
      .Integer("LinesPerMemoControl", &TdcRecordViewDialog::LinesPerMemoControl,
               &TdcRecordViewDialog::LinesPerMemoControl);
}

TdcRecordViewDialog::TdcRecordViewDialog(TComponent* AOwner)
    : TdcCustomDialog(AOwner), font_(std::make_unique<TFont>()), labelFont_(std::make_unique<TFont>()) {}

TdcRecordViewDialog::~TdcRecordViewDialog() {
  if (form_ && !(Application && Application->ComponentState().Contains(csDestroying))) {
    ReturnBorrowed();
    ReturnNavigator();
    delete form_;
  }
}

TDataSet* TdcRecordViewDialog::GetPrimaryDataSet() { return link_.DataSet(); }

void TdcRecordViewDialog::SetDataSource(TDataSource* Value) {
  link_.SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
}

void TdcRecordViewDialog::SetNavigator(TdcDBNavigator* Value) {
  navigator_ = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  Value->Hide();
}

void TdcRecordViewDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TdcCustomDialog::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == DataSource()) link_.SetDataSource(nullptr);
  if (AComponent == navigator_) navigator_ = nullptr;
  if (AComponent == form_) {
    form_ = nullptr;
    created_.clear();
    borrowed_.clear();
  }
  for (Borrowed& b : borrowed_)
    if (b.homeParent == AComponent) b.homeParent = dynamic_cast<TWinControl*>(Owner());
}

bool TdcRecordViewDialog::IsWidthFromDisplayWidth(TControl* Control) {
  return ClassInheritsFromName(Control->ClassInfo(), "TdcDBEdit") ||
         ClassInheritsFromName(Control->ClassInfo(), "TdcDBDateTimePicker");
}

void TdcRecordViewDialog::DoBeforeCreateControl(TdcRecordViewForm* Form, TField* Field, bool& Accept) {
  if (OnBeforeCreateControl) OnBeforeCreateControl(Form, Field, Accept);
}
void TdcRecordViewDialog::DoAfterCreateControl(TdcRecordViewForm* Form, TField* Field, TControl* Control) {
  if (OnAfterCreateControl) OnAfterCreateControl(Form, Field, Control);
}
void TdcRecordViewDialog::DoInitDialog(TdcRecordViewForm* Form) {
  if (OnInitDialog) OnInitDialog(Form);
}
void TdcRecordViewDialog::DoCloseDialog(TdcRecordViewForm* Form) {
  if (OnCloseDialog) OnCloseDialog(Form);
}
void TdcRecordViewDialog::DoCancelWarning(bool& CanClose) {
  if (OnCancelWarning) OnCancelWarning(form_, CanClose);
}

void TdcRecordViewDialog::OKClick() {
  reason_ = crOK;
  form_->SetModalResult(mrOk);
  if (!form_->Modal()) form_->Close();
}

void TdcRecordViewDialog::CancelClick() {
  reason_ = crCancel;
  form_->SetModalResult(mrCancel);
  if (!form_->Modal()) form_->Close();
}

// ---- Execute ----

bool TdcRecordViewDialog::Execute() {
  TDataSet* dataSet = GetPrimaryDataSet();
  if (!dataSet) {
    MessageDlg("DataSource or DataSource.DataSet not defined.", mtWarning, {mbOK}, 0);
    return false;
  }
  if (!dataSet->Active()) {
    MessageDlg("DataSet must be active.", mtWarning, {mbOK}, 0);
    return false;
  }
  reason_ = crClosedOtherwise;
  if (form_) {
    form_->Show();
    form_->BringToFront();
    return false;
  }
  BuildForm();
  if (!Options.Contains(rvoModalForm)) {
    form_->Show();
    form_->SetModalResult(mrCancel);
    return true;
  }
  TdcRecordViewForm* form = form_;
  const bool confirmed = form->runModal() == mrOk;
  delete form;
  return confirmed;
}

void TdcRecordViewDialog::BuildForm() {
  form_ = new TdcRecordViewForm(Application);
  form_->FreeNotification(this);
  form_->Dialog = this;
  form_->SetBorderStyle(BorderStyle);
  form_->SetCaption(Caption);
  form_->Font()->Assign(font_.get());
  form_->SetKeyPreview(true);
  form_->StayOnTopWhenInactive = Options.Contains(rvoStayOnTopForm);
  form_->OnShow = [this](TObject*) { DoInitDialog(form_); };
  form_->OnCloseQuery = [this](TObject*, bool& CanClose) { FormCloseQuery(CanClose); };
  form_->OnClose = [this](TObject*, TCloseAction& Action) { FormClose(Action); };
  form_->OnResize = [this](TObject*) { FormResize(); };
  form_->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { FormKeyDown(Key, Shift); };
  created_.clear();
  borrowed_.clear();

  if (!Options.Contains(rvoHideNavigator)) BuildNavigator();

  form_->RecordPanel = new TPanel(form_);
  form_->RecordPanel->SetName("RecordPanel");
  form_->RecordPanel->SetParent(form_);
  form_->RecordPanel->SetTop(41);
  form_->RecordPanel->SetAlign(alClient);
  form_->RecordPanel->SetBevelInner(bvLowered);
  form_->RecordPanel->SetBorderWidth(4);
  form_->RecordPanel->SetCaption("");
  form_->RecordPanel->SetTabOrder(1);

  if (OKCancelOptions.Contains(rvokShowOKCancel)) BuildButtons();

  form_->ScrollBox = new ScrollArea(form_);
  form_->ScrollBox->SetParent(form_->RecordPanel);
  form_->ScrollBox->SetBounds(6, 6, form_->RecordPanel->ClientWidth() - 12, form_->RecordPanel->ClientHeight() - 12);
  form_->ScrollBox->SetAlign(alClient);
  form_->ScrollBox->SetBorderStyle(bsNone);
  form_->ScrollBox->SetTabOrder(0);

  Layout layout;
  layout.lines = ShownFields(*GetPrimaryDataSet());
  BuildControls(layout);
  for (TControl* control : created_) WriteBooleanProperty(control, "Modified", false);
  SizeForm(layout);

  const TRect area = qn::ui::screenFacts().workArea;
  form_->SetLeft(FormPosition.Left >= 1 ? FormPosition.Left : area.Left + (area.Width() - form_->Width()) / 2);
  form_->SetTop(FormPosition.Top >= 1 ? FormPosition.Top : area.Top + (area.Height() - form_->Height()) / 2);
  if (form_->Navigator && form_->NavigatorPanel) form_->Navigator->SetWidth(form_->NavigatorPanel->Width() - 10);
}

void TdcRecordViewDialog::BuildNavigator() {
  TdcDBNavigator* navigator = navigator_;
  if (!navigator) {
    navigator = new TdcDBNavigator(form_);
    navigator->SetAutosizeStyle(asNone);
    navigator->SetShowHint(true);
    navigator->SetFlat(NavigatorFlat);
    navigator->SetVisibleButtons(NavigatorButtons);
  } else {
    navigatorHome_ = navigator->Parent();
  }
  form_->NavigatorPanel = new TPanel(form_);
  form_->NavigatorPanel->SetParent(form_);
  form_->NavigatorPanel->SetAlign(alTop);
  form_->NavigatorPanel->SetCaption("");
  form_->NavigatorPanel->SetTabOrder(0);
  navigator->SetParent(form_->NavigatorPanel);
  navigator->Show();
  navigator->SetBounds(8, 8, navigator->Width(), 25);
  navigator->SetDataSource(DataSource());
  navigator->SetTabOrder(0);
  if (navigator->Flat()) {
    navigator->SetTop(1);
    form_->NavigatorPanel->SetHeight(navigator->Height() + 2);
  }
  form_->Navigator = navigator;
}

void TdcRecordViewDialog::BuildButtons() {
  const int frame = qn::ui::screenFacts().dialogFrameHeight;
  TPanel* panel = new TPanel(form_);
  panel->SetName("UserPanel");
  panel->SetParent(form_);
  panel->SetAlign(alBottom);
  panel->SetCaption("");
  panel->SetTabOrder(0);
  form_->UserPanel = panel;
  okButton_ = CreateDialogButton(form_, dbkOK);
  cancelButton_ = CreateDialogButton(form_, dbkCancel);
  for (TButton* button : {okButton_, cancelButton_}) {
    button->SetParent(panel);
    button->SetTabStop(false);
    button->SetModalResult(mrNone);
    button->Show();
  }
  okButton_->SetDefault(!Options.Contains(rvoEnterToTab));
  // Escape is the form's own key (a changed edit keeps it), not a press of Cancel.
  cancelButton_->SetCancel(false);
  okButton_->OnClick = [this](TObject*) { OKClick(); };
  cancelButton_->OnClick = [this](TObject*) { CancelClick(); };
  panel->SetHeight(2 * frame + okButton_->Top() + okButton_->Height() + 10);
  okButton_->SetTop(frame + 5);
  cancelButton_->SetTop(frame + 5);
}

std::vector<TdcRecordViewDialog::FieldLine> TdcRecordViewDialog::ShownFields(TDataSet& dataSet) {
  std::vector<FieldLine> lines;
  auto hidden = [this](const FieldLine& line) {
    return (Options.Contains(rvoHideReadOnly) && line.readOnly) ||
           (Options.Contains(rvoHideCalculated) && line.field->Calculated());
  };
  if (Selected.Count() > 0) {
    for (int i = 0; i < Selected.Count(); ++i) {
      const std::vector<AnsiString> tokens = SplitLine(Selected[i], '\t');
      FieldLine line;
      line.field = tokens.empty() ? nullptr : dataSet.FindField(tokens[0]);
      if (line.field) {
        line.width = tokens.size() > 1 ? StrToIntDef(tokens[1], line.field->DisplayWidth()) : line.field->DisplayWidth();
        line.title = tokens.size() > 2 ? tokens[2] : line.field->DisplayLabel();
        line.readOnly = tokens.size() > 3 ? tokens[3] == "T" : line.field->ReadOnly();
        if (hidden(line)) continue;
      }
      lines.push_back(line);
    }
  } else {
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
      TField* field = dataSet.Fields()[i];
      FieldLine line{field, field->DisplayWidth(), field->DisplayLabel(), field->ReadOnly()};
      if (!hidden(line)) lines.push_back(line);
    }
  }
  for (FieldLine& line : lines) line.title = LocateFieldLabel(line.title);
  return lines;
}

int TdcRecordViewDialog::ClampWidth(const Layout& layout, int width) const {
  if (Options.Contains(rvoShortenEditBox) && width > layout.availableWidth) return layout.availableWidth;
  if (Options.Contains(rvoConsistentEditWidth) && width < layout.availableWidth) return layout.availableWidth;
  return width;
}

// ---- the controls of the record ----

namespace {

// The first ControlType line of the field that makes it a check box: its values when ticked and
// when clear; none when the field has no such line.
std::optional<std::pair<AnsiString, AnsiString>> CheckBoxValues(const TStrings* types, const AnsiString& fieldName) {
  if (!types) return std::nullopt;
  for (int i = 0; i < types->Count(); ++i) {
    const std::vector<AnsiString> tokens = SplitLine(types->Strings(i), ';');
    if (tokens.size() >= 4 && tokens[0] == fieldName && tokens[1] == "CheckBox")
      return std::make_pair(tokens[2], tokens[3]);
  }
  return std::nullopt;
}

// The name of the control a ControlType line of the field points at; empty when none.
AnsiString NamedControl(const TStrings* types, const AnsiString& fieldName) {
  if (!types) return {};
  for (int i = 0; i < types->Count(); ++i) {
    const std::vector<AnsiString> tokens = SplitLine(types->Strings(i), ';');
    if (tokens.size() >= 3 && SameText(tokens[0], fieldName) &&
        (IsControlNamingType(tokens[1]) || tokens[1] == "RichEdit"))
      return tokens[2];
  }
  return {};
}

bool BindToField(TControl* control, TDataSource* source, TField* field) {
  return SetDataSourceOf(control, source) && SetDataFieldOf(control, field->FieldName());
}

// The class that edits a field of that kind; the library's upper layers register them by name.
AnsiString EditorClassFor(TField* field, bool useDateTimePicker) {
  const TFieldType type = field->DataType();
  if (useDateTimePicker && (type == ftDate || type == ftDateTime)) return "TdcDBDateTimePicker";
  if (IsRichEditField(field, true)) return "TdcDBRichEdit";
  if (type == ftMemo) return "TdcDBMemo";
  return "TdcDBEdit";
}

}  // namespace

void TdcRecordViewDialog::BuildControls(Layout& layout) {
  const ScreenFacts facts = qn::ui::screenFacts();
  const bool vertical = Style == rvsVertical;
  constexpr int kScrollBoxLeft = 6;
  layout.charWidth = MeasuredTextWidth(form_->Font(), "0");
  int labelColumn = 0;
  for (const FieldLine& line : layout.lines) {
    if (!line.field) continue;
    labelColumn = std::max(labelColumn, MeasuredTextWidth(labelFont_.get(), line.title));
    layout.widestControl = std::max(layout.widestControl, layout.charWidth * (line.width + 1) + 3);
  }
  const int navigatorMinimum = (form_->Navigator ? form_->Navigator->Width() : 0) + Margin.RightOffset + 14;
  editLeft_ = vertical ? Margin.LeftOffset + labelColumn + EditSpacing.VerticalView.BetweenLabelEdit : Margin.LeftOffset;
  if (FormPosition.Width < 1) {
    layout.formWidth =
        std::max(kScrollBoxLeft + editLeft_ + layout.widestControl + Margin.RightOffset + 14, navigatorMinimum);
    if (!vertical) layout.formWidth = std::max(layout.formWidth, 400);
  } else {
    layout.formWidth = std::max(FormPosition.Width, navigatorMinimum);
  }
  layout.formWidth = std::min(layout.formWidth, facts.workArea.Width() - Margin.RightOffset - 14);
  layout.availableWidth = layout.formWidth - editLeft_ - Margin.RightOffset - 20 - (vertical ? 0 : kScrollBoxLeft);

  const int labelHeight = MeasuredTextHeight(labelFont_.get(), "0");
  const TdcHorzEditSpacing& across = EditSpacing.HorizontalView;
  int y = Margin.TopOffset;  // vertical: the next control's top; horizontal: the row's top
  int x = 0;
  int rowTallest = 0;
  int lastHeight = 0;
  auto endRow = [&] {
    x = 0;
    y += across.BetweenLabelEdit + across.BetweenRow + rowTallest + labelHeight;
    rowTallest = 0;
  };
  for (const FieldLine& line : layout.lines) {
    if (!line.field) {
      if (!vertical && x > 0) endRow();
      continue;
    }
    bool accept = true;
    DoBeforeCreateControl(form_, line.field, accept);
    if (!accept) continue;
    TObject* typesHolder = ControlInfoInDataset ? static_cast<TObject*>(GetPrimaryDataSet()) : this;
    const TStrings* types = Options.Contains(rvoUseCustomControls) ? GetControlTypeList(typesHolder) : nullptr;
    const auto checkValues = CheckBoxValues(types, line.field->FieldName());
    TextLabel* label = checkValues ? new TdcLabel(form_) : new TextLabel(form_);
    label->SetParent(form_->ScrollBox);
    label->SetAutoSize(false);
    label->Font()->Assign(labelFont_.get());
    label->SetCaption(line.title);
    layout.labelWidth = MeasuredTextWidth(labelFont_.get(), line.title);

    TControl* control = nullptr;
    if (checkValues) {
      auto* box = new TdcDBCheckBox(form_);
      box->SetParent(form_->ScrollBox);
      box->SetCaption("");
      box->SetWidth(17);
      box->ValueChecked = checkValues->first;
      box->ValueUnchecked = checkValues->second;
      BindToField(box, DataSource(), line.field);
      if (line.readOnly || line.field->Calculated()) box->SetTabStop(false);
      label->SetFocusControl(box);
      created_.push_back(box);
      control = box;
    } else {
      const AnsiString named = NamedControl(types, line.field->FieldName());
      bool tried = false;
      if (!named.empty()) control = BorrowControl(layout, line, label, named, tried);
      if (!tried) control = MakeControl(layout, line, label);
    }

    if (vertical) {
      label->SetBounds(Margin.LeftOffset, y + (checkValues ? 1 : 4), labelColumn, labelHeight);
      label->SetAlignment(taRightJustify);
      if (control) {
        control->SetLeft(editLeft_);
        control->SetTop(y);
        y += control->Height() + EditSpacing.VerticalView.BetweenRow;
        lastHeight = control->Height();
      }
    } else {
      const bool spansRow = control && Options.Contains(rvoMaximizeMemoWidth) && IsMemoOrRichEdit(control);
      const int wanted = control ? (spansRow ? layout.availableWidth : control->Width()) : 0;
      if (x > 0 &&
          layout.availableWidth < x + across.BetweenEditsInRow + std::max(wanted, across.LabelIndent + layout.labelWidth))
        endRow();
      label->SetBounds(Margin.LeftOffset + x + across.LabelIndent, y, layout.labelWidth, labelHeight);
      label->SetAlignment(taLeftJustify);
      if (control) {
        control->SetTop(y + across.BetweenLabelEdit + labelHeight);
        if (spansRow) {
          control->SetLeft(editLeft_);
          control->SetWidth(std::max(layout.widestControl, layout.availableWidth));
        } else {
          control->SetLeft(editLeft_ + x);
        }
        if (Options.Contains(rvoSetControlMinWidth) && control->Width() < layout.labelWidth)
          control->SetWidth(layout.labelWidth + 1);
        rowTallest = std::max(rowTallest, control->Height());
      }
      x += std::max(control ? control->Width() : 0, layout.labelWidth + across.LabelIndent) + across.BetweenEditsInRow;
      layout.widestRow = std::max(layout.widestRow, x);
    }
    DoAfterCreateControl(form_, line.field, label);
    if (control) {
      control->SetWidth(ClampWidth(layout, control->Width()));
      DoAfterCreateControl(form_, line.field, control);
      control->SetWidth(ClampWidth(layout, control->Width()));
    }
  }
  if (vertical) {
    layout.contentHeight = y + Margin.BottomOffset - EditSpacing.VerticalView.BetweenRow;
    layout.increment = EditSpacing.VerticalView.BetweenRow + lastHeight;
  } else {
    layout.contentHeight = y + across.BetweenLabelEdit + rowTallest + labelHeight + Margin.BottomOffset;
    layout.increment = rowTallest + labelHeight;
  }
}

TControl* TdcRecordViewDialog::BorrowControl(Layout& layout, const FieldLine& line, TextLabel* label,
                                             const AnsiString& name, bool& tried) {
  TComponent* ownerForm = GetOwnerForm(this);
  auto* edit = ownerForm ? dynamic_cast<TCustomEdit*>(ownerForm->FindComponent(name)) : nullptr;
  if (!edit) return nullptr;
  tried = true;
  borrowed_.push_back({edit, edit->Parent(), edit->BoundsRect()});
  edit->FreeNotification(this);
  if (edit->Parent()) edit->Parent()->FreeNotification(this);
  label->SetFocusControl(edit);
  edit->SetParent(form_->ScrollBox);
  edit->Show();
  created_.push_back(edit);
  if (!BindToField(edit, DataSource(), line.field)) return nullptr;
  // A lookup combo on a plain field shows the looked-up text of the record it now shows.
  if (ClassInheritsFromName(edit->ClassInfo(), "TdcDBCustomLookupCombo") && !IsCalculatedOrLookupField(line.field))
    if (auto* refresh = dynamic_cast<DisplayRefresh*>(edit)) refresh->RefreshDisplayValue();
  edit->SetCtl3D(true);
  edit->SetBorderStyle(bsSingle);
  int width;
  if (ClassInheritsFromName(edit->ClassInfo(), "TdcCustomRichEdit")) {
    width = Style == rvsVertical || !Options.Contains(rvoMaximizeMemoWidth)
                ? layout.availableWidth
                : std::max(layout.availableWidth, layout.widestControl);
  } else {
    width = layout.charWidth * (line.width + 1) + 3;
    if (Options.Contains(rvoSetControlMinWidth)) width = std::max(width, layout.labelWidth + 1);
  }
  edit->SetWidth(ClampWidth(layout, width));
  return edit;
}

TControl* TdcRecordViewDialog::MakeControl(Layout& layout, const FieldLine& line, TextLabel* label) {
  const AnsiString className = EditorClassFor(line.field, Options.Contains(rvoUseDateTimePicker));
  if (!FindRegisteredClass(className)) return nullptr;
  auto* control = dynamic_cast<TWinControl*>(CreateComponentByClassName(className, form_));
  if (!control) return nullptr;
  if (!BindToField(control, DataSource(), line.field)) {
    delete control;
    return nullptr;
  }
  label->SetFocusControl(control);
  control->SetParent(form_->ScrollBox);
  if (line.readOnly || line.field->Calculated()) {
    control->SetColor(ReadOnlyColor);
    control->SetTabStop(false);
  }
  if (line.readOnly) control->SetEnabled(false);
  const bool fromDisplayWidth = IsWidthFromDisplayWidth(control);
  if (ClassInheritsFromName(control->ClassInfo(), "TdcDBEdit") && line.field->DataType() == ftString)
    WriteIntegerProperty(control, "MaxLength", line.field->Size());
  int width = layout.availableWidth;
  if (fromDisplayWidth) {
    width = layout.charWidth * (line.width + 1) + 3;
    if (ClassInheritsFromName(control->ClassInfo(), "TdcDBDateTimePicker"))
      width += qn::ui::screenFacts().verticalScrollBarWidth;
  }
  if (auto* memo = dynamic_cast<TdcDBMemo*>(control); memo && Options.Contains(rvoEnterToTab))
    memo->SetWantReturns(false);
  if (!fromDisplayWidth) control->SetHeight(MeasuredTextHeight(control->Font(), "0") * LinesPerMemoControl + 8);
  control->SetWidth(ClampWidth(layout, width));
  created_.push_back(control);
  return control;
}

// ---- the form's size ----

void TdcRecordViewDialog::SizeForm(Layout& layout) {
  const ScreenFacts facts = qn::ui::screenFacts();
  const bool vertical = Style == rvsVertical;
  const int recordTop = form_->NavigatorPanel ? form_->NavigatorPanel->Height() : 0;
  const int buttonsHeight = form_->UserPanel ? form_->UserPanel->Height() : 0;
  requiredHeight_ = facts.captionHeight + recordTop + layout.contentHeight + buttonsHeight + 21;
  int height = FormPosition.Height >= 1 ? std::min(FormPosition.Height, requiredHeight_) : requiredHeight_;
  const bool limited = facts.workArea.Height() - 12 < height;
  if (limited) height = facts.workArea.Height() - 12;
  int width = layout.formWidth;
  form_->SetBounds(form_->Left(), form_->Top(), width, height);

  ScrollAreaBar* down = form_->ScrollBox->VertScrollBar();
  down->SetMargin(6);
  down->SetIncrement(layout.increment);
  down->SetRange(layout.contentHeight);
  const bool scrollsDown = form_->RecordPanel->Height() - 12 < layout.contentHeight;
  if (scrollsDown) width += facts.verticalScrollBarWidth;

  const int widest = vertical ? layout.widestControl : layout.widestRow;
  requiredWidth_ = 6 + editLeft_ + widest + Margin.RightOffset + 14;
  width = std::min(width, facts.workArea.Width());
  if (width < requiredWidth_)
    height += facts.horizontalScrollBarHeight;
  else if (!vertical)
    width = requiredWidth_ + (scrollsDown ? facts.verticalScrollBarWidth : 0);
  ScrollAreaBar* across = form_->ScrollBox->HorzScrollBar();
  across->SetMargin(6);
  int range = Options.Contains(rvoConsistentEditWidth) ? layout.widestControl : editLeft_ + widest + Margin.RightOffset;
  if (limited) range -= facts.verticalScrollBarWidth;
  across->SetRange(range);
  form_->SetBounds(form_->Left(), form_->Top(), width, height);
  PlaceButtons();
}

void TdcRecordViewDialog::PlaceButtons() {
  if (!form_ || !form_->UserPanel || !okButton_) return;
  const int width = form_->UserPanel->Width();
  const int ok = okButton_->Width();
  if (form_->Width() - 10 < ok + cancelButton_->Width() + 31) {
    okButton_->SetLeft(5);
    cancelButton_->SetLeft(ok + 18);
  } else {
    okButton_->SetLeft(width - 2 * ok - 36);
    cancelButton_->SetLeft(width - ok - 23);
  }
}

void TdcRecordViewDialog::FormResize() {
  if (!form_) return;
  if (Options.Contains(rvoConsistentEditWidth) && Style == rvsVertical) {
    int width = form_->Width() - editLeft_ - Margin.RightOffset - 20;
    if (form_->Height() < requiredHeight_) width -= qn::ui::screenFacts().verticalScrollBarWidth;
    for (TControl* control : created_) control->SetWidth(width);
  }
  PlaceButtons();
}

// ---- keys and closing ----

void TdcRecordViewDialog::FormKeyDown(WORD& Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt)) return;
  TWinControl* active = form_->ActiveControl();
  if (Key == VK_RETURN && Shift.Contains(ssCtrl)) {
    if (Options.Contains(rvoModalForm) && !Options.Contains(rvoEnterToTab)) {
      Key = 0;
      OKClick();
    }
    return;
  }
  if (Key == VK_ESCAPE) {
    // Escape in a changed edit belongs to the edit: the form stays open and nothing typed is lost.
    if (const auto* edit = dynamic_cast<TCustomEdit*>(active); edit && edit->Modified()) return;
    Key = 0;
    CancelClick();
    return;
  }
  // Enter (with the option) and Tab move between the controls, unless the control takes them.
  const bool enterMoves = Key == VK_RETURN && Options.Contains(rvoEnterToTab) && active &&
                          !ReadBooleanProperty(active, "WantReturns").value_or(false);
  const bool tabMoves = Key == VK_TAB && !Shift.Contains(ssCtrl) && active &&
                        !ReadBooleanProperty(active, "WantTabs").value_or(false);
  if (enterMoves || tabMoves) {
    Key = 0;
    if (TWinControl* next = form_->FindNextControl(active, !Shift.Contains(ssShift), true)) next->SetFocus();
  }
}

bool TdcRecordViewDialog::AnyControlModified() const {
  return std::any_of(created_.begin(), created_.end(),
                     [](TControl* control) { return ReadBooleanProperty(control, "Modified").value_or(false); });
}

void TdcRecordViewDialog::FormCloseQuery(bool& CanClose) {
  if (reason_ == crOK || (reason_ == crClosedOtherwise && !Options.Contains(rvoCloseIsCancel)))
    form_->SetModalResult(mrOk);
  if (form_->ModalResult() == mrOk) return;
  TDataSet* dataSet = GetPrimaryDataSet();
  const bool untouched = !AnyControlModified() &&
                         (!OKCancelOptions.Contains(rvokAutoCancelRec) || (dataSet && dataSet->State() == dsBrowse));
  if (untouched || !Options.Contains(rvoConfirmCancel)) {
    form_->SetModalResult(mrCancel);
    return;
  }
  if (OnCancelWarning) {
    DoCancelWarning(CanClose);
    return;
  }
  switch (MessageDlg(dcIntlDefaults->UserMessages()->RecordViewExitWarning, mtConfirmation, {mbYes, mbNo, mbCancel}, 0)) {
    case mrYes: form_->SetModalResult(mrOk); break;
    case mrNo: form_->SetModalResult(mrCancel); break;
    default:
      CanClose = false;
      reason_ = crClosedOtherwise;
      break;
  }
}

void TdcRecordViewDialog::FormClose(TCloseAction& Action) {
  TdcRecordViewForm* form = form_;
  DoCloseDialog(form);
  TDataSet* dataSet = GetPrimaryDataSet();
  if (OKCancelOptions.Contains(rvokAutoCancelRec) && form->ModalResult() == mrCancel) {
    if (dataSet) dataSet->Cancel();
  } else if (dataSet) {
    try {
      if (dynamic_cast<TCustomEdit*>(form->ActiveControl())) dataSet->UpdateRecord();
      if (OKCancelOptions.Contains(rvokAutoPostRec) && form->ModalResult() == mrOk &&
          (dataSet->State() == dsEdit || dataSet->State() == dsInsert))
        dataSet->Post();
    } catch (...) {
      // A record the dataset refuses keeps the form open, so what the user typed is not lost.
      Action = caNone;
      throw;
    }
  }
  if (!form->Modal()) Action = caFree;
  ReturnNavigator();
  ReturnBorrowed();
  form_ = nullptr;
  created_.clear();
}

void TdcRecordViewDialog::ReturnBorrowed() {
  for (const Borrowed& b : borrowed_) {
    if (!form_ || b.control->Parent() != form_->ScrollBox) continue;
    b.control->Hide();
    b.control->SetParent(b.homeParent);
    b.control->SetBoundsRect(b.bounds);
    if (auto* home = b.homeParent; home && ClassInheritsFromName(home->ClassInfo(), "TdcDBGrid")) {
      if (auto* edit = dynamic_cast<TWinControl*>(b.control)) {
        edit->SetCtl3D(false);
        edit->SetBorderStyle(bsNone);
      }
    }
  }
  borrowed_.clear();
}

void TdcRecordViewDialog::ReturnNavigator() {
  if (!navigator_ || !form_ || navigator_->Parent() != form_->NavigatorPanel) return;
  navigator_->Hide();
  navigator_->SetParent(navigatorHome_);
}
