#include "datagrid/KeyCombo.h"

#include <vector>

#include "datagrid/DcEngineHelpers.h"
#include "datagrid/DcTable.h"
#include "datagrid/SelectedLists.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "recordmgr/Table.h"

namespace {

UnitRegistration unit("datagrid/KeyCombo", {}, [] { RegisterClass<TdcKeyCombo>(); });

constexpr const char* kDescending = " - Desc";

void Warn(const AnsiString& text) { MessageDlg(text, mtWarning, {mbOK}, 0); }

// The record-manager and framework tables keep their index definitions; nothing else here does.
TttTable* IndexedTable(TDataSet* dataSet) { return dynamic_cast<TttTable*>(dataSet); }

bool IsQueryTable(TDataSet* dataSet) {
  auto* table = dynamic_cast<TdcTable*>(dataSet);
  return table && table->HasQuery();
}

// The entry of an index: its first field's label ("~" read as a blank), " - Desc" when it
// descends; empty when the dataset has no such field.
AnsiString EntryOf(TDataSet& dataSet, const TIndexDef& def, TField** fieldOut = nullptr) {
  const std::vector<AnsiString> fields = SplitFieldNames(def.Fields);
  TField* field = fields.empty() ? nullptr : dataSet.FindField(fields.front());
  if (fieldOut) *fieldOut = field;
  if (!field) return {};
  AnsiString text = StrReplaceCharByChar(field->DisplayLabel(), '~', ' ');
  if (def.Options & ixDescending) text += kDescending;
  return text;
}

}  // namespace

void TdcKeyDataLink::ActiveChanged() {
  if (Active()) combo_.BuildList(false);
}

void TdcKeyDataLink::DataSetChanged() { combo_.DataChanged(); }

void TdcKeyCombo::PublishProperties(PropertyPublisher<TdcKeyCombo>& publish) {
  publish.Object("DataSource", &TdcKeyCombo::DataSource, &TdcKeyCombo::SetDataSource);
  publish.Boolean("ShowAllIndexes", &TdcKeyCombo::ShowAllIndexes, &TdcKeyCombo::SetShowAllIndexes);
  publish.String("PrimaryKeyName", &TdcKeyCombo::PrimaryKeyName, &TdcKeyCombo::PrimaryKeyName);
}

TdcKeyCombo::TdcKeyCombo(TComponent* AOwner) : ComboBox(AOwner), link_(*this) { SetStyle(csDropDownList); }

TdcKeyCombo::~TdcKeyCombo() { link_.SetDataSource(nullptr); }

void TdcKeyCombo::SetDataSource(TDataSource* Value) {
  TDataSet* dataSet = Value ? Value->DataSet() : nullptr;
  if (dataSet && !IndexedTable(dataSet)) {
    Warn(keycombo_texts::kNoIndexInformation);
    return;
  }
  link_.SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  if (link_.Active()) BuildList(false);
}

void TdcKeyCombo::Notification(TComponent* AComponent, TOperation Operation) {
  ComboBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == link_.DataSource()) link_.SetDataSource(nullptr);
}

void TdcKeyCombo::SetShowAllIndexes(bool Value) {
  showAllIndexes_ = Value;
  if (link_.DataSource()) BuildList(false);
}

void TdcKeyCombo::DataChanged() {
  if (hasWindow() && link_.DataSource() && link_.DataSource()->State() == dsBrowse) BuildList(true);
}

AnsiString TdcKeyCombo::primaryKeyText() const { return PrimaryKeyName.empty() ? AnsiString("PrimaryKey") : PrimaryKeyName; }

bool TdcKeyCombo::shown(TField* field) const {
  return shownFields_ ? FindSelectedLine(*shownFields_, field->FieldName()) >= 0 : field->Visible();
}

void TdcKeyCombo::select(const AnsiString& text) {
  int found = -1;
  for (int i = 0; i < Items()->Count(); ++i) {
    const AnsiString entry = Items()->Strings(i);
    if (SameText(entry, text) || SameText(entry, text + kDescending)) found = i;
  }
  if (found != ItemIndex()) SetItemIndex(found);
}

void TdcKeyCombo::BuildList(bool refreshOnly) {
  TDataSet* dataSet = link_.DataSet();
  if (!dataSet) return;
  TttTable* table = IndexedTable(dataSet);
  if (!table) return;
  if (IsQueryTable(dataSet)) return Warn(keycombo_texts::kTableWithQuery);
  if (table->MasterSource()) return Warn(keycombo_texts::kChildTable + Name() + keycombo_texts::kChildTableEnd);
  TIndexDefs& defs = table->IndexDefs();
  bool rebuild = !refreshOnly;
  for (int i = 0; !rebuild && !showAllIndexes_ && i < Items()->Count(); ++i) {
    AnsiString label = Items()->Strings(i);
    if (label.ends_with(kDescending)) label.resize(label.size() - std::char_traits<char>::length(kDescending));
    bool names = false;
    for (TField* field : dataSet->Fields())
      if (SameText(StrReplaceCharByChar(field->DisplayLabel(), '~', ' '), label)) names = true;
    rebuild = !names;
  }
  if (rebuild) table->UpdateIndexDefs();
  refreshOnly_ = true;
  if (rebuild) Items()->Clear();
  if (showAllIndexes_) {
    if (rebuild)
      for (int i = 0; i < defs.Count(); ++i)
        Items()->Add(defs.Items(i).Name.empty() ? primaryKeyText() : defs.Items(i).Name);
    select(table->IndexName().empty() ? primaryKeyText() : table->IndexName());
    refreshOnly_ = false;
    return;
  }
  AnsiString active;
  for (int i = 0; i < defs.Count(); ++i) {
    const TIndexDef& def = defs.Items(i);
    TField* field = nullptr;
    const AnsiString entry = EntryOf(*dataSet, def, &field);
    if (!field || !shown(field)) continue;
    if (rebuild && IndexOfTextNoCase(*Items(), entry) < 0) Items()->Add(entry);
    const bool isActive = !table->IndexFieldNames().empty() ? SameText(table->IndexFieldNames(), def.Fields)
                                                           : SameText(def.Name, table->IndexName());
    if (isActive) active = entry;
  }
  select(active);
  refreshOnly_ = false;
}

void TdcKeyCombo::Change() {
  TDataSet* dataSet = link_.DataSet();
  TttTable* table = IndexedTable(dataSet);
  if (table && !refreshOnly_) {
    if (IsQueryTable(dataSet)) {
      Warn(keycombo_texts::kTableWithQuery);
    } else {
      const AnsiString chosen = ItemIndex() >= 0 ? Items()->Strings(ItemIndex()) : AnsiString();
      if (showAllIndexes_) {
        table->SetIndexName(chosen == primaryKeyText() ? AnsiString() : chosen);
      } else {
        TIndexDefs& defs = table->IndexDefs();
        table->UpdateIndexDefs();
        const TIndexDef* pick = nullptr;
        for (bool caseInsensitiveOnly : {true, false}) {
          for (int i = 0; !pick && i < defs.Count(); ++i) {
            const TIndexDef& def = defs.Items(i);
            if (caseInsensitiveOnly && !(def.Options & ixCaseInsensitive)) continue;
            if (EntryOf(*dataSet, def) == chosen) pick = &def;
          }
        }
        if (pick) {
          if (auto* dc = dynamic_cast<TdcTable*>(table))
            SwitchIndexKeepingPosition(dc, *pick);
          else
            table->SetIndexName(pick->Name);
        }
      }
      select(chosen);
    }
  } else if (dataSet && !table) {
    Warn(keycombo_texts::kVirtualDataSet);
  }
  ComboBox::Change();
}
