#include "editors/DBLookupCombo.h"

#include <algorithm>

#include "datagrid/FieldTextTests.h"
#include "datagrid/LookupFieldLists.h"
#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "framework/db/IndexDefs.h"
#include "framework/ui/VirtualKeys.h"
#include "datagrid/DrawingHelpers.h"
#include "editors/DBCustomCombo.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Color.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/ImageStrip.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/ScreenFacts.h"

const EnumerationType kdcSeqSearchOptionType{"TdcSeqSearchOption", {"ssoEnabled", "ssoCaseSensitive"}};

namespace {

UnitRegistration unit("editors/DBLookupCombo", {}, [] {
  RegisterClass<TdcDBCustomLookupCombo>();
  RegisterClass<TdcDBLookupCombo>();
});

constexpr int kSearchIntervalMs = 333;
constexpr const char* kDuplicateSources = "Unable to use duplicate DataSource and LookupSource";

}  // namespace

// ---- the button and the drop-down grid ----

TdcComboButton::TdcComboButton(TdcDBCustomLookupCombo* Combo) : TSpeedButton(Combo), combo_(Combo) {}

void TdcComboButton::Paint() {
  bool defaultDrawing = true;
  combo_->DrawButton(canvas(), ClientRect(), defaultDrawing, combo_->ControlState(), State());
  if (defaultDrawing) TSpeedButton::Paint();
}

void TdcComboButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) combo_->ButtonPress();
}

void TdcComboButton::MouseMove(TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseMove(Shift, X, Y);
  combo_->FollowPress(ClientToScreen({X, Y}), Shift);
}

void TdcComboButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) combo_->EndPress(ClientToScreen({X, Y}), Shift);
}

TdcPopupGrid::TdcPopupGrid(TdcDBCustomLookupCombo* Combo) : TdcDBLookupList(Combo), combo_(Combo) {
  SetTabStop(false);
  OnPick = [this](TObject*) { combo_->TakeListRow(); };
}

TFieldDataLink& TdcPopupGrid::BoundLink() const { return combo_->link_; }

bool TdcPopupGrid::CanEdit() { return combo_->GridCanEdit(); }

void TdcPopupGrid::KeyDown(WORD& Key, TShiftState Shift) {
  const bool arrow = Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN;
  const bool navigation = arrow || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME;
  if (navigation && (!arrow || CanEdit())) combo_->SetModified(true);
  TdcDBLookupList::KeyDown(Key, Shift);
}

void TdcPopupGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) combo_->link_.Edit();
  TdcDBLookupList::MouseDown(Button, Shift, X, Y);
}

void TdcPopupGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdcDBLookupList::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && combo_->IsDroppedDown()) combo_->CloseUp(true);
}

void TdcPopupGrid::TakePress(TPoint Screen, TShiftState Shift) {
  const TPoint at = ScreenToClient(Screen);
  MouseDown(mbLeft, Shift, at.X, at.Y);
}

void TdcPopupGrid::FollowMove(TPoint Screen, TShiftState Shift) {
  const TPoint at = ScreenToClient(Screen);
  MouseMove(Shift, at.X, at.Y);
}

void TdcPopupGrid::TakeRelease(TPoint Screen, TShiftState Shift) {
  const TPoint at = ScreenToClient(Screen);
  MouseUp(mbLeft, Shift, at.X, at.Y);
}

void TdcPopupGrid::VisibleChanged() {
  TdcDBLookupList::VisibleChanged();
  // Hidden by code (a key handler of the form): the drop-down closes without accepting.
  if (!Visible()) combo_->GridHidden();
}

// ---- creation and properties ----

void TdcDBCustomLookupCombo::PublishProperties(PropertyPublisher<TdcDBCustomLookupCombo>& publish) {
  publish.Enumeration("DropDownAlignment", kAlignmentType, &TdcDBCustomLookupCombo::DropDownAlignment,
                      &TdcDBCustomLookupCombo::SetDropDownAlignment);
  publish.StringList("Selected", &TdcDBCustomLookupCombo::Selected, &TdcDBCustomLookupCombo::SetSelected);
  publish.Object("DataSource", &TdcDBCustomLookupCombo::DataSource, &TdcDBCustomLookupCombo::SetDataSource);
  publish.String("DataField", &TdcDBCustomLookupCombo::DataField, &TdcDBCustomLookupCombo::SetDataField);
  publish.Object("LookupTable", &TdcDBCustomLookupCombo::LookupTable, &TdcDBCustomLookupCombo::SetLookupTable);
  publish.String("LookupField", &TdcDBCustomLookupCombo::LookupField, &TdcDBCustomLookupCombo::SetLookupField);
  publish.Set("Options", kLookupListOptionType, &TdcDBCustomLookupCombo::Options, &TdcDBCustomLookupCombo::SetOptions);
  publish.Enumeration("Style", kComboBoxStyleType, &TdcDBCustomLookupCombo::Style, &TdcDBCustomLookupCombo::SetStyle);
  publish.Integer("DropDownCount", &TdcDBCustomLookupCombo::DropDownCount, &TdcDBCustomLookupCombo::SetDropDownCount);
  publish.Integer("DropDownWidth", &TdcDBCustomLookupCombo::DropDownWidth, &TdcDBCustomLookupCombo::SetDropDownWidth);
  publish.Boolean("AutoSize", &TdcDBCustomLookupCombo::AutoSize, &TdcDBCustomLookupCombo::SetAutoSize);
  publish.Boolean("AutoDropDown", &TdcDBCustomLookupCombo::AutoDropDown, &TdcDBCustomLookupCombo::SetAutoDropDown);
  publish.Boolean("ShowButton", &TdcDBCustomLookupCombo::GetShowButton, &TdcDBCustomLookupCombo::SetShowButton);
  publish.Set("SeqSearchOptions", kdcSeqSearchOptionType, &TdcDBCustomLookupCombo::SeqSearchOptions,
              &TdcDBCustomLookupCombo::SetSeqSearchOptions);
  publish.Boolean("OrderByDisplay", &TdcDBCustomLookupCombo::OrderByDisplay, &TdcDBCustomLookupCombo::SetOrderByDisplay);
  publish.Boolean("UseTFields", &TdcDBCustomLookupCombo::UseTFields, &TdcDBCustomLookupCombo::SetUseTFields);
  publish.Boolean("AllowClearKey", &TdcDBCustomLookupCombo::AllowClearKey, &TdcDBCustomLookupCombo::SetAllowClearKey);
  publish.Boolean("ShowMatchText", &TdcDBCustomLookupCombo::ShowMatchText, &TdcDBCustomLookupCombo::SetShowMatchText);
  publish.Boolean("ReadOnly", &TdcDBCustomLookupCombo::ReadOnly, &TdcDBCustomLookupCombo::SetReadOnly);
  publish.Object("ImageList", &TdcDBCustomLookupCombo::ImageList, &TdcDBCustomLookupCombo::SetImageList);
  publish.Object("DropDownList", &TdcDBCustomLookupCombo::DropDownList);
  publish.Event("OnDropDown", &TdcDBCustomLookupCombo::OnDropDown, &TdcDBCustomLookupCombo::OnDropDown);
  publish.Event("OnCloseUp", &TdcDBCustomLookupCombo::OnCloseUp, &TdcDBCustomLookupCombo::OnCloseUp);
  publish.Event("OnNotInList", &TdcDBCustomLookupCombo::OnNotInList, &TdcDBCustomLookupCombo::OnNotInList);
}

void TdcDBLookupCombo::PublishProperties(PropertyPublisher<TdcDBLookupCombo>& publish) {}

TdcDBLookupCombo::TdcDBLookupCombo(TComponent* AOwner) : TdcDBCustomLookupCombo(AOwner) {}

TdcDBCustomLookupCombo::TdcDBCustomLookupCombo(TComponent* AOwner)
    : TCustomEdit(AOwner),
      grid_(new TdcPopupGrid(this)),
      panel_(new TWinControl(this)),
      button_(new TdcComboButton(this)),
      timer_(new IntervalTimer(this)) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBorderStyle(bsSingle);
  link_.SetControl(this);
  link_.OnDataChange = [this] { DataChange(); };
  link_.OnEditingChange = [this] { EditingChange(); };
  link_.OnUpdateData = [this] { UpdateData(); };
  link_.OnActiveChange = [this] { DataChange(); };
  // Hidden until it drops down (the combo is whole by now: hiding it tells the combo).
  grid_->SetVisible(false);
  grid_->SetCtl3D(Ctl3D());
  grid_->SetUseTFields(useTFields_);
  panel_->SetBounds(0, 0, std::max(qn::ui::screenFacts().verticalScrollBarWidth + 4, 17), 17);
  panel_->SetParent(this);
  button_->SetBounds(0, 0, ComboButtonWidth(), 17);
  button_->SetParent(panel_);
  if (const BitmapImage* glyph = GetButtonBitmap()) button_->SetGlyph(*glyph);
  timer_->SetEnabled(false);
  timer_->SetInterval(kSearchIntervalMs);
  timer_->OnTimer = [this](TObject*) { SearchStep(); };
  SetBounds(Left(), Top(), Width(), 25);
  fontTextHeight_ = MeasuredTextHeight(Font(), "0");
  SetPaintHandler([this](Canvas& c) { return PaintSelf(c); });
  LayoutButton();
}

TdcDBCustomLookupCombo::~TdcDBCustomLookupCombo() {
  dropDown_.reset();
  link_.SetDataSource(nullptr);
}

void TdcDBCustomLookupCombo::SetDataSource(TDataSource* Value) {
  if (Value && Value->DataSet() && Value->DataSet() == LookupTable()) throw EInvalidOperation(kDuplicateSources);
  link_.SetDataSource(Value);
  grid_->SetLinked(Linked());
  grid_->Reset();
  DataChange();
}

void TdcDBCustomLookupCombo::SetDataField(const AnsiString& Value) {
  link_.SetFieldName(Value);
  grid_->SetLinked(Linked());
  AnsiString derived;
  if (TField* field = link_.Field(); field && field->FieldKind() == fkLookup) {
    derived = field->LookupKeyFields();
  } else if (link_.DataSet()) {
    const std::vector<AnsiString> links = ReadLookupLinkTokens(GetLookupLinks(link_.DataSet(), Value));
    for (size_t i = 1; i < links.size(); i += 2) derived += (derived.empty() ? "" : ";") + links[i];
  }
  grid_->Reset();
  if (!derived.empty()) SetLookupField(derived);
  else if (link_.DataSource()) DataChange();
}

void TdcDBCustomLookupCombo::SetLookupTable(TDataSet* Value) {
  if (Value && link_.DataSet() == Value) throw EInvalidOperation(kDuplicateSources);
  grid_->SetLookupTable(Value);
  if (link_.DataSource()) DataChange();
}

void TdcDBCustomLookupCombo::SetLookupField(const AnsiString& Value) {
  grid_->SetLookupField(Value, true);
  if (link_.DataSource()) DataChange();
}

bool TdcDBCustomLookupCombo::GetShowButton() const { return panel_->Visible(); }

void TdcDBCustomLookupCombo::SetShowButton(bool Value) {
  if (panel_->Visible() == Value) return;
  panel_->SetVisible(Value);
  if (hasWindow()) SetEditRect();
  Invalidate();
}

void TdcDBCustomLookupCombo::SetSeqSearchOptions(TdcSeqSearchOptions Value) {
  seqSearchOptions_ = Value;
  grid_->SetCaseSensitive(Value.Contains(ssoCaseSensitive));
}

void TdcDBCustomLookupCombo::SetUseTFields(bool Value) {
  useTFields_ = Value;
  grid_->SetUseTFields(Value);
}

void TdcDBCustomLookupCombo::SetReadOnly(bool Value) {
  link_.SetReadOnly(Value);
  refreshReadOnly();
}

void TdcDBCustomLookupCombo::SetMultiLineEdit(bool Value) {
  if (multiLineEdit_ == Value) return;
  multiLineEdit_ = Value;
  // The multi-line style is the window's: setting it makes the window again.
  SetMultiLine(Value);
  if (hasWindow()) recreateWindow();
}

// ---- layout and window ----

void TdcDBCustomLookupCombo::LayoutButton() {
  if (!panel_ || !button_) return;
  PlaceComboButton(this, panel_, button_);
  if (hasWindow()) SetEditRect();
}

void TdcDBCustomLookupCombo::SetEditRect() {
  const bool bordered = BorderStyle() != bsNone;
  const int m = !bordered && InsideGrid() ? 2 : bordered ? 0 : 1;
  const int right = GetShowButton() ? panel_->Left() - 2 : ClientWidth() - 2;
  setEditRect({m, m, right, ClientHeight() + 1});
}

void TdcDBCustomLookupCombo::Loaded() {
  TCustomEdit::Loaded();
  button_->SetBounds(button_->Left(), button_->Top(), ComboButtonWidth(), button_->Height());
  LayoutButton();
  // An unbound combo keeps the text it was given.
  if (link_.DataSource()) DataChange();
}

void TdcDBCustomLookupCombo::BoundsChanged() {
  TCustomEdit::BoundsChanged();
  LayoutButton();
}

void TdcDBCustomLookupCombo::BorderChanged() {
  TCustomEdit::BorderChanged();
  LayoutButton();
}

void TdcDBCustomLookupCombo::SetAutoSize(bool Value) {
  autoSize_ = Value;
  if (Value) FitHeightToFont();
}

void TdcDBCustomLookupCombo::FontChanged() {
  TCustomEdit::FontChanged();
  // A font taken again with the same metrics leaves the height the form gave.
  const int textHeight = MeasuredTextHeight(Font(), "0");
  if (textHeight == fontTextHeight_) return;
  fontTextHeight_ = textHeight;
  if (autoSize_) FitHeightToFont();
}

void TdcDBCustomLookupCombo::scaleInParent(int M, int D, FontScaling Fonts) {
  TCustomEdit::scaleInParent(M, D, Fonts);
  if (autoSize_) FitHeightToFont();
}

void TdcDBCustomLookupCombo::FitHeightToFont() {
  const int borders = 2 * qn::ui::screenFacts().borderHeight + (BorderStyle() == bsSingle ? 2 : 0);
  SetBounds(Left(), Top(), Width(), fontTextHeight_ + 1 + borders);
}

void TdcDBCustomLookupCombo::EnabledChanged() {
  TCustomEdit::EnabledChanged();
  button_->SetEnabled(Enabled());
}

void TdcDBCustomLookupCombo::WindowCreated() {
  TCustomEdit::WindowCreated();
  SetEditRect();
  // The grid's window lives in the drop-down, made with the combo's, so the current value can be
  // located before it first opens.
  if (!dropDown_) {
    dropDown_ = std::make_unique<DropDownWindow>(this, grid_);
    dropDown_->OnPressOutside = [this](TPoint) {
      if (dropped_) CloseUp(true);
    };
    dropDown_->OnCancelMode = [this] { CancelMode(); };
  }
  grid_->createWindow();
  if (link_.DataSource()) DataChange();
}

bool TdcDBCustomLookupCombo::InsideGrid() const {
  return Parent() && ClassInheritsFromName(Parent()->ClassInfo(), "TdcDBGrid");
}

// ---- the state of the link ----

bool TdcDBCustomLookupCombo::Linked() const { return Bound() && IsCalculatedOrLookupField(link_.Field()); }

bool TdcDBCustomLookupCombo::Modifiable() const {
  bool allowed = !link_.DataSource() || DataField().empty() || (link_.Editing() && TypingMode()) || linkedMayEdit();
  if (!dropped_ && style_ == csDropDownList && !autoDropDown_) allowed = false;
  return allowed && !ReadOnly();
}

bool TdcDBCustomLookupCombo::linkedMayEdit() const {
  if (!Linked()) return false;
  const TDataSetState state = link_.DataSet()->State();
  return state == dsEdit || state == dsInsert || link_.DataSource()->AutoEdit();
}

bool TdcDBCustomLookupCombo::GridCanEdit() const { return !Bound() || link_.Editing() || linkedMayEdit(); }

void TdcDBCustomLookupCombo::refreshReadOnly() { TCustomEdit::SetReadOnly(!Modifiable()); }

void TdcDBCustomLookupCombo::EditingChange() { refreshReadOnly(); }

bool TdcDBCustomLookupCombo::BeginEdit() {
  if (!link_.DataSource()) return true;
  link_.Edit();
  refreshReadOnly();
  return Modifiable();
}

void TdcDBCustomLookupCombo::markModified() {
  SetModified(true);
  if (link_.Editing()) link_.Modified();
}

void TdcDBCustomLookupCombo::Change() {
  if (Modified() && link_.Editing()) link_.Modified();
  TCustomEdit::Change();
}

void TdcDBCustomLookupCombo::SaveState() {
  savedText_ = Text();
  savedLookupValue_ = LookupValue();
}

void TdcDBCustomLookupCombo::RestoreSaved() {
  SetText(savedText_);
  grid_->SetValues(savedLookupValue_, savedText_);
}

// ---- values ----

void TdcDBCustomLookupCombo::SetLookupValue(const AnsiString& Value) {
  TDataSet* table = LookupTable();
  if (link_.Active() && table && table->Active() && link_.DataSet() == table) throw EInvalidOperation(kDuplicateSources);
  const bool keyShown = grid_->DisplayField() == grid_->KeyField();
  if (Value == LookupValue() && ((Text().empty() && !Value.empty()) || !keyShown || Text() == Value)) return;
  if (table && table->Active()) {
    if (!writingLinkedKeys_) grid_->SetLookupValue(Value);
    SetText(DisplayValue());
  } else if ((LookupField().empty() && !table) || (table && !table->Active())) {
    SetText(Value);
  }
}

void TdcDBCustomLookupCombo::RefreshDisplayValue() {
  const AnsiString value = Bound() ? link_.Field()->AsString() : LookupValue();
  SetLookupValue("");
  if (!grid_->DisplayField()) return;
  // Only a record found for the value gives the text: another record's would be wrong. Unlinked,
  // the list's key search finds it (it needs no window).
  bool found = false;
  if (Linked()) {
    found = grid_->LocateCurrentValue(false);
  } else if (!value.empty()) {
    grid_->SetLookupValue(value);
    found = grid_->RowMatches();
  }
  if (found) grid_->TakeRecordValues();
  else grid_->SetValues("", "");
  SetText(DisplayValue());
}

void TdcDBCustomLookupCombo::DataChange() {
  // A combo being destroyed shows nothing more: its change handler would reach controls of its
  // form that are gone already.
  if (internalUpdate_ || ComponentState().Contains(csDestroying)) return;
  TField* field = link_.Field();
  if (!field || ComponentState().Contains(csLoading)) {
    // The value goes with the text: a record showing the same value once the dataset is back
    // must show it again, not find it unchanged and leave the box empty.
    grid_->SetValues("", "");
    SetText("");
    return;
  }
  grid_->BeginValueUpdate();
  try {
    if (grid_->SecondKeyField() && grid_->DisplayField()) {
      grid_->LocateCurrentValue(false);
      grid_->SetDisplayValue(grid_->DisplayField()->AsString());
      SetText(DisplayValue());
    }
    SetLookupValue(field->AsString());
    // The same first key with another second one is another lookup record (a linked combo's
    // values come from its links instead).
    if (Linked()) SetText(field->AsString());
    else if (grid_->TakeBoundExtraValues()) SetText(DisplayValue());
  } catch (...) {
    grid_->EndValueUpdate();
    throw;
  }
  grid_->EndValueUpdate();
  if (link_.DataSet()->State() == dsBrowse) SaveState();
  if (Focused()) SelectAll();
}

void TdcDBCustomLookupCombo::copyExtraKeys(bool& Changed) {
  TDataSet* bound = link_.DataSet();
  for (int i = 1; i < 3; ++i) {
    TField* key = i == 1 ? grid_->SecondKeyField() : grid_->ThirdKeyField();
    TField* same = key && bound ? bound->FindField(key->FieldName()) : nullptr;
    if (!same || same->AsString() == grid_->LookupValueAt(i)) continue;
    same->SetAsString(grid_->LookupValueAt(i));
    Changed = true;
  }
}

void TdcDBCustomLookupCombo::UpdateData() {
  if (!Text().empty() && !dropped_ && !inNotInList_) CloseUp(true);
  TField* field = link_.Field();
  if (!field) return;
  if (Linked()) {
    bool changed = false;
    if (grid_->ChosenRow() >= 0) WriteLinkedKeys(changed);
    return;
  }
  if (grid_->DisplayField() == grid_->KeyField()) {
    if (field->AsString() != Text()) field->SetAsString(Text());
  } else if (field->AsString() != LookupValue()) {
    field->SetAsString(LookupValue());
  }
  bool changed = false;
  if (grid_->ChosenRow() >= 0 || CopyExtraKeysOnUpdate()) copyExtraKeys(changed);
}

std::vector<AnsiString> TdcDBCustomLookupCombo::MasterKeyNames() const {
  std::vector<AnsiString> names;
  TField* field = link_.Field();
  if (!field) return names;
  if (field->FieldKind() == fkLookup) {
    for (const AnsiString& name : SplitFieldNames(field->KeyFields())) names.push_back(name);
    return names;
  }
  const std::vector<AnsiString> links = ReadLookupLinkTokens(GetLookupLinks(link_.DataSet(), DataField()));
  for (size_t i = 0; i + 1 < links.size(); i += 2) names.push_back(links[i]);
  return names;
}

void TdcDBCustomLookupCombo::WriteLinkedKeys(bool& Changed) {
  if (writingLinkedKeys_) return;
  writingLinkedKeys_ = true;
  struct Leave {
    TdcDBCustomLookupCombo* combo;
    ~Leave() {
      combo->writingLinkedKeys_ = false;
      combo->internalUpdate_ = false;
    }
  } leave{this};
  TDataSet* bound = link_.DataSet();
  const std::vector<AnsiString> names = MasterKeyNames();
  const int count = std::min<int>(3, static_cast<int>(names.size()));
  Changed = names.empty();
  auto exists = [this](int i) { return i == 0 || (i == 1 ? grid_->SecondKeyField() : grid_->ThirdKeyField()); };
  for (int i = 0; i < count; ++i) {
    TField* key = bound->FindField(names[i]);
    if (key && exists(i) && key->AsString() != grid_->LookupValueAt(i)) Changed = true;
  }
  if (!Changed || !bound->CanModify() || ReadOnly()) {
    Invalidate();
    return;
  }
  link_.DataSource()->Edit();
  const TDataSetState state = bound->State();
  if (state == dsEdit || state == dsInsert) {
    internalUpdate_ = true;
    // A detail lookup table holds the master's keys already: only its own key is written.
    const bool detail = GetMasterSource(LookupTable()) != nullptr;
    for (int i = detail ? count - 1 : 0; i < count; ++i) {
      TField* key = bound->FindField(names[i]);
      if (key && exists(i) && key->AsString() != grid_->LookupValueAt(i)) key->SetAsString(grid_->LookupValueAt(i));
    }
  }
  Invalidate();
}

bool TdcDBCustomLookupCombo::GetMappedDisplayText(const AnsiString& StoredValue, AnsiString& DisplayText) {
  TField* key = grid_->KeyField();
  TField* display = grid_->DisplayField();
  TDataSet* table = LookupTable();
  if (!Bound() || !key || !display || display == key || !table || !table->Active() || table->IsEmpty() ||
      StoredValue.empty())
    return false;
  // The record is read in place (a calculated name has no column another cursor could read) and
  // the table goes back to where the drop-down and the other cells had it.
  const TBookmark here = table->GetBookmark();
  table->DisableControls();
  try {
    DisplayText = table->Locate(key->FieldName(), {Variant(StoredValue)}, 0) ? display->AsString() : AnsiString();
    table->GotoBookmark(here);
  } catch (...) {
    table->EnableControls();
    table->FreeBookmark(here);
    throw;
  }
  table->EnableControls();
  table->FreeBookmark(here);
  return true;
}

// ---- the button ----

const BitmapImage* TdcDBCustomLookupCombo::GetButtonBitmap() { return nullptr; }

void TdcDBCustomLookupCombo::DrawButton(Canvas& ACanvas, const TRect& Rect, bool& DefaultDrawing,
                                        TControlState ControlState, TButtonState ButtonState) {
  DrawDropDownButton(ACanvas, Rect, ButtonState == bsDown, ControlState, button_->Enabled());
  DefaultDrawing = false;
}
