#include "editors/DBLookupList.h"

#include <algorithm>

#include "datagrid/DcEngineHelpers.h"
#include "datagrid/DcTable.h"
#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/LocateText.h"
#include "datagrid/LookupFieldLists.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/VirtualKeys.h"

const EnumerationType kLookupListOptionType{"TdcLookupListOption", {"loColLines", "loRowLines", "loTitles"}};

namespace {

UnitRegistration unit("editors/DBLookupList", {}, [] { RegisterClass<TdcDBLookupList>(); });


constexpr int kAutoScrollMs = 60;
constexpr const char* kDetailTableWarning =
    "LookupTable on a detail table is only supported when using a TdcTable as the LookupTable!";

// Counts a nested run for as long as it lasts, also when it raises.
class Nested {
 public:
  explicit Nested(int& count) : count_(count) { ++count_; }
  ~Nested() { --count_; }
  Nested(const Nested&) = delete;
  Nested& operator=(const Nested&) = delete;

 private:
  int& count_;
};

}  // namespace

void TdcDBLookupList::PublishProperties(PropertyPublisher<TdcDBLookupList>& publish) {
  publish.StringList("Selected", [](TdcDBLookupList& l) -> TStrings* { return &l.Selected(); },
                     [](TdcDBLookupList& l, TStrings* v) { l.SetSelected(v); });
  publish.Object("LookupTable", [](TdcDBLookupList& l) { return l.LookupTable(); },
                 [](TdcDBLookupList& l, TDataSet* v) { l.SetLookupTable(v); });
  publish.String("LookupField", &TdcDBLookupList::LookupField,
                 [](TdcDBLookupList& l, const AnsiString& v) { l.SetLookupField(v); });
  publish.Object("DataSource", &TdcDBLookupList::DataSource, &TdcDBLookupList::SetDataSource);
  publish.String("DataField", &TdcDBLookupList::DataField, &TdcDBLookupList::SetDataField);
  publish.Boolean("ReadOnly", &TdcDBLookupList::ReadOnly, &TdcDBLookupList::SetReadOnly);
  publish.Set("Options", kLookupListOptionType, &TdcDBLookupList::Options, &TdcDBLookupList::SetOptions);
  publish.Event("OnClick", &TdcDBLookupList::OnClick, &TdcDBLookupList::OnClick);
}

TdcDBLookupList::TdcDBLookupList(TComponent* AOwner) : TdcCustomDBGrid(AOwner), lookupSource_(new TDataSource(this)) {
  SetBounds(Left(), Top(), 121, 97);
  // Its columns come from Selected (or the key field alone); a combo that owns it copies its own.
  SetUseTFields(false);
  SetOptions({});
  TdcCustomDBGrid::SetDataSource(lookupSource_);
  ownLink_.SetControl(this);
  ownLink_.OnDataChange = [this] { OwnDataChange(); };
  ownLink_.OnUpdateData = [this] { OwnUpdateData(); };
  ownLink_.OnActiveChange = [this] { OwnDataChange(); };
}

TdcDBLookupList::~TdcDBLookupList() { ownLink_.SetDataSource(nullptr); }

void TdcDBLookupList::ReleaseLookupSource() {
  TdcCustomDBGrid::SetDataSource(nullptr);
  delete lookupSource_;
  lookupSource_ = nullptr;
}

bool TdcDBLookupList::sharesLookupSource(TDataSource* Source) const {
  if (!Source || !lookupSource_) return false;
  return Source == lookupSource_ || (Source->DataSet() && Source->DataSet() == LookupTable());
}

void TdcDBLookupList::SetLookupTable(TComponent* Value) {
  if (Value && DataSource() && Value == DataSource()->DataSet())
    throw EInvalidOperation("Unable to use duplicate DataSource and LookupSource");
  auto* table = dynamic_cast<TDataSet*>(Value);
  if (Value && !table) throw EInvalidOperation("LookupSource must be connected to TTable component");
  if (!lookupSource_) {
    MessageDlg("Lookup Source is not created", mtInformation, {mbOK}, 0);
    return;
  }
  lookupSource_->SetDataSet(table);
  detailWarned_ = false;
  Reset();
}

void TdcDBLookupList::SetDataSource(TDataSource* Value) {
  if (sharesLookupSource(Value)) throw EInvalidOperation("Unable to use duplicate DataSource and LookupSource");
  ownLink_.SetDataSource(Value);
  detailWarned_ = false;
  if (linked_) Reset();
}

void TdcDBLookupList::SetDataField(const AnsiString& Value) {
  ownLink_.SetFieldName(Value);
  if (linked_) Reset();
}

void TdcDBLookupList::SetLookupField(const AnsiString& Value, bool Report) {
  if (Value == lookupField_) return;
  lookupField_ = Value;
  ResolveFields(Report);
  Reset();
}

void TdcDBLookupList::SetSelected(TStrings* Value) {
  Selected().Assign(*Value);
  Reset();
}

void TdcDBLookupList::SetOptions(TdcLookupListOptions Value) {
  options_ = Value;
  TdcDBGridOptions grid{dgRowSelect, dgAlwaysShowSelection};
  if (Value.Contains(loColLines)) grid.Include(dgColLines);
  if (Value.Contains(loRowLines)) grid.Include(dgRowLines);
  if (Value.Contains(loTitles)) grid.Include(dgTitles);
  SetDBOptions(grid);
}

void TdcDBLookupList::SetLinked(bool Value) {
  if (Value == linked_) return;
  linked_ = Value;
  Reset();
}

std::vector<AnsiString> TdcDBLookupList::linkTokens() const {
  if (!linked_ || !BoundLink().DataSet() || DataField().empty()) return {};
  return ReadLookupLinkTokens(GetLookupLinks(BoundLink().DataSet(), DataField()));
}

void TdcDBLookupList::Reset() {
  ResolveFields(false);
  for (AnsiString& value : lookupValues_) value.clear();
  displayValue_.clear();
  chosenRow_ = -1;
  LayoutColumns();
  OwnDataChange();
}

void TdcDBLookupList::ResolveFields(bool Report) {
  for (TField*& field : keyFields_) field = nullptr;
  displayField_ = nullptr;
  keyFieldCount_ = 0;
  if (!lookupActive() || lookupField_.empty()) return;
  TDataSet* table = LookupTable();
  const std::vector<AnsiString> links = linkTokens();
  if (!links.empty()) {
    for (size_t i = 0; i < 3 && 2 * i + 1 < links.size(); ++i) keyFields_[i] = table->FindField(links[2 * i + 1]);
    if (Selected().Count() == 0) displayField_ = table->FindField(GetLookupFieldName(BoundLink().DataSet(), DataField()));
  } else {
    int pos = 1;
    for (int i = 0; i < 3 && pos > 0; ++i) {
      const AnsiString name = StrGetToken(lookupField_, ";", pos);
      keyFields_[i] = name.empty() ? nullptr : table->FindField(name);
    }
  }
  if (!keyFields_[0]) {
    if (Report) throw EInvalidOperation("Field '" + lookupField_ + "' not found");
    return;
  }
  keyFieldCount_ = keyFields_[2] ? 3 : keyFields_[1] ? 2 : 1;
  if (Selected().Count() > 0) displayField_ = table->FindField(Selected().Strings(0).substr(0, Selected().Strings(0).find('\t')));
  if (!displayField_) displayField_ = keyFields_[0];
}

void TdcDBLookupList::LinkActive(bool Value) {
  TdcCustomDBGrid::LinkActive(Value);
  if (Value) ResolveFields(false);
  OwnDataChange();
}

void TdcDBLookupList::DefineFieldMap() {
  if (!keyFields_[0]) ResolveFields(false);
  if (!keyFields_[0]) return;
  TDataSet* table = LookupTable();
  if (UseTFields() && table->Fields().Count() == 0) {
    DataLink().AddMapping(keyFields_[0]->FieldName());
    return;
  }
  if (!UseTFields() && Selected().Count() == 0) {
    DataLink().AddMapping(keyFields_[0]->FieldName());
    return;
  }
  TdcCustomDBGrid::DefineFieldMap();
}

void TdcDBLookupList::SetColumnAttributes() {
  TdcCustomDBGrid::SetColumnAttributes();
  const int count = columnCount();
  if (count < 1) return;
  int others = 0;
  for (int i = 0; i + 1 < count; ++i) others += columnWidth(i) + (options_.Contains(loColLines) ? 1 : 0);
  if (count == 1 || others < ClientWidth() - 15) setColumnWidth(count - 1, ClientWidth() - others);
}

bool TdcDBLookupList::CanEdit() { return !DataSource() || ownLink_.Editing(); }

bool TdcDBLookupList::RowMatches() const {
  if (!keyFields_[0] || keyFields_[0]->AsString() != lookupValues_[0]) return false;
  for (int i = 1; i < 3; ++i)
    if (keyFields_[i] && keyFields_[i]->AsString() != lookupValues_[i]) return false;
  return true;
}

bool TdcDBLookupList::HighlightCell(int DataCol, int DataRow, GridCellStates State, const AnsiString& Text) {
  if (mouseSelecting_) return DataRow == DataLink().ActiveRecord();
  if (!RowMatches()) return false;
  chosenRow_ = DataRow;
  return true;
}

void TdcDBLookupList::SetLookupValue(const AnsiString& Value) {
  // On the first data row the value is taken again: that row is also where a fresh grid stands.
  if (Value == lookupValues_[0] && !onFirstDataRow()) return;
  if (!lookupActive() || !keyFields_[0]) return;
  lookupValues_[0] = Value;
  for (int i = 1; i < 3; ++i) lookupValues_[i].clear();
  chosenRow_ = -1;
  if (linked_ && updateCount_ > 0) {
    // The bound field already shows the looked-up text; the links find the record.
    displayValue_ = BoundLink().Field() ? BoundLink().Field()->AsString() : AnsiString();
    locateLinked();
    Invalidate();
    return;
  }
  const bool found = !Value.empty() && locateKeys(keyValues(Value));
  if (found)
    for (int i = 1; i < 3; ++i)
      if (keyFields_[i]) lookupValues_[i] = keyFields_[i]->AsString();
  if (displayField_ == keyFields_[0]) displayValue_ = Value;
  else displayValue_ = found ? displayField_->AsString() : AnsiString();
  Invalidate();
}

std::vector<AnsiString> TdcDBLookupList::keyValues(const AnsiString& Value) const {
  std::vector<AnsiString> values{Value};
  TDataSet* bound = BoundLink().DataSet();
  for (int i = 1; i < 3 && keyFields_[i] && bound; ++i) {
    TField* same = bound->FindField(keyFields_[i]->FieldName());
    if (!same) break;
    values.push_back(same->AsString());
  }
  return values;
}

bool TdcDBLookupList::locateKeys(const std::vector<AnsiString>& Values) {
  // The key search raises the table's lookup-search counter while it runs.
  if (auto* indexed = dynamic_cast<TdcTable*>(LookupTable())) return FindKeyValues(indexed, Values);
  AnsiString names;
  VariantArray keys;
  for (size_t i = 0; i < Values.size(); ++i) {
    names += (i ? ";" : "") + keyFields_[i]->FieldName();
    keys.push_back(Variant(Values[i]));
  }
  return LookupTable()->Locate(names, keys, locateOptions());
}

bool TdcDBLookupList::locateLinked() {
  const std::vector<AnsiString> links = linkTokens();
  TDataSet* bound = BoundLink().DataSet();
  TField* master = links.size() >= 2 && bound ? bound->FindField(links[links.size() - 2]) : nullptr;
  TDataSet* table = LookupTable();
  bool found = false;
  if (master) {
    // The last pair decides, by whole value without case.
    const AnsiString& lookupSide = links.back();
    auto* indexed = dynamic_cast<TdcTable*>(table);
    if (indexed && indexed->SelectIndexForFields(lookupSide)) found = FindKeyValues(indexed, {master->AsString()});
    else found = table->Locate(lookupSide, {Variant(master->AsString())}, loCaseInsensitive);
  }
  if (found) {
    for (int i = 0; i < 3; ++i) lookupValues_[i] = keyFields_[i] ? keyFields_[i]->AsString() : AnsiString();
    return true;
  }
  table->First();
  for (AnsiString& value : lookupValues_) value.clear();
  Invalidate();
  return false;
}

bool TdcDBLookupList::LocateCurrentValue(bool Reposition) {
  if (!hasWindow() || !lookupActive() || !keyFields_[0]) return false;
  if (linked_) return found_ = locateLinked();
  TDataSet* table = LookupTable();
  if (table->State() == dsSetKey) return false;
  TField* bound = BoundLink().Field();
  const AnsiString value = bound ? bound->AsString() : lookupValues_[0];
  const bool found = locateKeys(keyValues(value));
  if (Reposition) {
    found_ = found;
    if (!found) table->First();
  }
  return found;
}

bool TdcDBLookupList::SearchByDisplayText(const AnsiString& Text) {
  if (!displayField_ || !lookupActive()) return false;
  if (Text == displayValue_ && !onFirstDataRow()) return found_;
  chosenRow_ = -1;
  const bool found = found_ = Text.empty() || locateDisplayText(Text);
  displayValue_ = Text;
  for (int i = 1; i < 3; ++i) lookupValues_[i].clear();
  if (displayField_ == keyFields_[0]) {
    lookupValues_[0] = Text;
  } else if (found && !Text.empty()) {
    for (int i = 0; i < 3; ++i) lookupValues_[i] = keyFields_[i] ? keyFields_[i]->AsString() : AnsiString();
  } else {
    lookupValues_[0].clear();
    if (!found) displayValue_.clear();
  }
  Invalidate();
  return found;
}

bool TdcDBLookupList::locateDisplayText(const AnsiString& Text) {
  auto* indexed = dynamic_cast<TdcTable*>(LookupTable());
  if (!indexed) return LookupTable()->Locate(displayField_->FieldName(), {Variant(Text)}, locateOptions());
  // A display field among the index's first three fields is a key search that keeps the current
  // record's earlier key fields, so a detail table stays inside its master's records.
  const int keys = std::min(indexed->IndexFieldCount(), 3);
  for (int i = 0; i < keys; ++i) {
    if (indexed->GetIndexField(i) != displayField_) continue;
    std::vector<AnsiString> values;
    for (int j = 0; j < i; ++j) values.push_back(indexed->GetIndexField(j)->AsString());
    values.push_back(Text);
    return FindKeyValues(indexed, values);
  }
  return TdcTableLocateValue(indexed, Text, displayField_->FieldName(), caseSensitive_, mtExactMatch);
}

void TdcDBLookupList::Scroll(int Distance) {
  TdcCustomDBGrid::Scroll(Distance);
  if (chosenRow_ < 0) return;
  chosenRow_ -= Distance;
  if (chosenRow_ < 0 || chosenRow_ >= VisibleRowCount()) chosenRow_ = -1;
}

void TdcDBLookupList::UpdateLayout() {
  TdcCustomDBGrid::UpdateLayout();
  TDataSet* table = LookupTable();
  if (!table || !DataSource() || GetMasterSource(table) != DataSource()) return;
  if (!dynamic_cast<TdcTable*>(table)) {
    if (detailWarned_) return;
    detailWarned_ = true;
    MessageDlg(kDetailTableWarning, mtWarning, {mbOK}, 0);
    return;
  }
  if (updateCount_ > 0) return;
  Nested nested(updateCount_);
  LocateCurrentValue(false);
}

void TdcDBLookupList::VerticalScroll(ScrollAction Action, int Position) {
  if (Action == ScrollAction::thumbTrack || Action == ScrollAction::thumbPosition) chosenRow_ = -1;
  if ((Action != ScrollAction::lineUp && Action != ScrollAction::lineDown) || !lookupActive()) {
    TdcCustomDBGrid::VerticalScroll(Action, Position);
    return;
  }
  if (CanFocus() && !Focused()) SetFocus();
  const int active = DataLink().ActiveRecord();
  LookupTable()->MoveBy(Action == ScrollAction::lineUp ? -active - 1 : VisibleRowCount() - active);
}

// ---- on its own ----

void TdcDBLookupList::OwnDataChange() {
  if (ComponentState().Contains(csLoading) || !ownLink_.Active() || !lookupActive()) return;
  TField* field = ownLink_.Field();
  Nested nested(updateCount_);
  SetLookupValue(field ? field->AsString() : AnsiString());
}

void TdcDBLookupList::OwnUpdateData() {
  const std::vector<AnsiString> links = linkTokens();
  if (links.empty()) {
    if (TField* field = ownLink_.Field()) field->SetAsString(lookupValues_[0]);
    return;
  }
  // Linked: the keys go into the master-side fields of the pairs.
  for (size_t i = 0; i < 3 && 2 * i + 1 < links.size(); ++i)
    if (TField* master = ownLink_.DataSet()->FindField(links[2 * i])) master->SetAsString(lookupValues_[i]);
}

void TdcDBLookupList::SetValues(const AnsiString& Lookup, const AnsiString& Display) {
  lookupValues_[0] = Lookup;
  lookupValues_[1].clear();
  lookupValues_[2].clear();
  displayValue_ = Display;
}

void TdcDBLookupList::TakeRecordValues() {
  for (int i = 0; i < 3; ++i) lookupValues_[i] = keyFields_[i] ? keyFields_[i]->AsString() : AnsiString();
  displayValue_ = displayField_ ? displayField_->AsString() : AnsiString();
}

bool TdcDBLookupList::TakeBoundExtraValues() {
  TDataSet* bound = BoundLink().DataSet();
  if (!bound) return false;
  bool secondChanged = false;
  for (int i = 1; i < 3; ++i) {
    TField* same = keyFields_[i] ? bound->FindField(keyFields_[i]->FieldName()) : nullptr;
    if (!same || same->AsString() == lookupValues_[i]) continue;
    lookupValues_[i] = same->AsString();
    if (i == 1) secondChanged = true;
  }
  if (!secondChanged || !lookupActive() || !keyFields_[0] || lookupValues_[0].empty()) return false;
  const bool found = locateKeys(keyValues(lookupValues_[0]));
  if (displayField_ != keyFields_[0]) displayValue_ = found ? displayField_->AsString() : AnsiString();
  Invalidate();
  return true;
}

void TdcDBLookupList::Pick() {
  if (!keyFields_[0] || !CanEdit()) return;
  TakeRecordValues();
  chosenRow_ = DataLink().ActiveRecord();
  if (BoundLink().Editing()) BoundLink().Modified();
  Invalidate();
  if (OnPick) OnPick(this);
  if (OnClick) OnClick(this);
}

void TdcDBLookupList::KeyDown(WORD& Key, TShiftState Shift) {
  switch (Key) {
    case VK_INSERT:
      Key = 0;
      return;
    case VK_ESCAPE:
      ownLink_.Reset();
      Key = 0;
      return;
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
      const bool arrow = Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN;
      if (DataSource()) BoundLink().Edit();
      if (arrow && !CanEdit()) {
        Key = 0;
        return;
      }
      if (chosenRow_ < 0 && !RowMatches() && lookupActive()) {
        LookupTable()->First();
        Pick();
        Key = 0;
        return;
      }
      const WORD pressed = Key;
      TdcCustomDBGrid::KeyDown(Key, Shift);
      if (pressed != VK_LEFT && pressed != VK_RIGHT && CanEdit()) Pick();
      return;
    }
    default:
      TdcCustomDBGrid::KeyDown(Key, Shift);
  }
}

void TdcDBLookupList::DoExit() {
  // What the update raises refuses the move: the focus stays here and the failure goes on.
  if (ownLink_.Active() && ownLink_.Editing()) ownLink_.UpdateRecord();
  TdcCustomDBGrid::DoExit();
}

// ---- the mouse ----

void TdcDBLookupList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && displayField_) {
    if (DataSource()) BoundLink().Edit();
    mouseSelecting_ = true;
    lastMouseY_ = Y;
    if (!scrollTimer_) {
      scrollTimer_ = new IntervalTimer(this);
      scrollTimer_->OnTimer = [this](TObject*) { AutoScroll(); };
    }
    scrollTimer_->SetInterval(kAutoScrollMs);
    scrollTimer_->SetEnabled(true);
  }
  TdcCustomDBGrid::MouseDown(Button, Shift, X, Y);
}

void TdcDBLookupList::MouseMove(TShiftState Shift, int X, int Y) {
  lastMouseY_ = Y;
  // Outside the rows the list's own timer moves one record at a time.
  if (mouseSelecting_ && (Y < 0 || Y >= ClientHeight())) return;
  TdcCustomDBGrid::MouseMove(Shift, X, Y);
}

void TdcDBLookupList::timerTick() {
  if (!mouseSelecting_) TdcCustomDBGrid::timerTick();
}

void TdcDBLookupList::AutoScroll() {
  if (!mouseSelecting_ || !lookupActive()) return;
  TDataSet* table = LookupTable();
  if (lastMouseY_ >= ClientHeight()) table->Next();
  else if (lastMouseY_ < 0) table->Prior();
}

void TdcDBLookupList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdcCustomDBGrid::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !mouseSelecting_) return;
  mouseSelecting_ = false;
  if (scrollTimer_) scrollTimer_->SetEnabled(false);
  Pick();
}

void TdcDBLookupList::Paint() {
  TdcCustomDBGrid::Paint();
  // The chosen row carries the focus rectangle while the list has the focus.
  if (PaintsFocused() && chosenRow_ >= 0) {
    const TRect row = cellBounds(0, chosenRow_ + TitleOffset());
    Canvas& c = canvas();
    c.DrawFocusRect({0, row.Top, ClientWidth(), row.Bottom});
  }
}
