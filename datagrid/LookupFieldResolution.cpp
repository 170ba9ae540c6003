#include "datagrid/LookupFieldResolution.h"

#include <optional>

#include "datagrid/DcEngineHelpers.h"
#include "datagrid/DcTable.h"
#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/LocateText.h"
#include "datagrid/LookupFieldLists.h"
#include "framework/base/Strings.h"
#include "framework/base/TextCompare.h"
#include "framework/db/Field.h"

namespace {

constexpr size_t kMostKeyValues = 6;

bool MasterFieldsPresent(TDataSet& dataSet, const std::vector<AnsiString>& tokens) {
  for (size_t i = 0; i < tokens.size(); i += 2)
    if (!dataSet.FindField(tokens[i])) return false;
  return true;
}

void HideField(TDataSet& dataSet, const AnsiString& name) {
  if (TField* field = dataSet.FindField(name)) field->SetVisible(false);
}

AnsiString CutAtDot(const AnsiString& name) { return name.substr(0, name.find('.')); }

TdcTable* FindTable(TdcLookupTableList& tables, const LookupFieldLine& line, const AnsiString& links) {
  for (TdcTable* table : tables)
    if (table->DatabaseName() == line.DatabaseName && table->TableName() == line.TableNameInUse() &&
        SameText(table->LookupLinksLine, links))
      return table;
  return nullptr;
}

// A new internal table for the line, open; nullptr when any step fails.
TdcTable* OpenLookupTable(TDataSet& owner, const LookupFieldLine& line) {
  auto* table = new TdcTable(&owner);
  try {
    table->SetDatabaseName(line.DatabaseName);
    table->SetTableName(line.TableNameInUse());
    if (line.IndexFields.empty()) {
      table->SetIndexName(line.IndexName);
    } else {
      const AnsiString name = table->IndexNameForFields(line.IndexFieldText());
      if (name != "?") table->SetIndexName(name);
    }
    table->SetReadOnly(true);
    table->Open();
  } catch (...) {
    delete table;
    return nullptr;
  }
  return table;
}

}  // namespace

TdcLookupTableList* GetLookupTableList(TDataSet* DataSet) {
  DcDataSetExtension* extension = ExtensionOf(DataSet);
  return extension ? &extension->LookupTables() : nullptr;
}

bool PositionByLinks(TdcTable* LookupTable, TDataSet* DataSet, const std::vector<AnsiString>& LinkTokens) {
  if (LinkTokens.size() < 2) return false;
  if (LookupTable->IndexFieldCount() == 0) {
    TField* master = DataSet->FindField(LinkTokens[0]);
    return master && TdcTableLocateValue(LookupTable, master->AsString(), LinkTokens[1], false, mtExactMatch);
  }
  if (LinkTokens.size() % 2 != 0 || LinkTokens.size() > 2 * kMostKeyValues) return false;
  std::vector<AnsiString> values;
  for (size_t i = 0; i < LinkTokens.size(); i += 2) {
    TField* master = DataSet->FindField(LinkTokens[i]);
    if (!master) return false;
    values.push_back(master->AsString());
  }
  return FindKeyValues(LookupTable, values);
}

void RefreshLookupFields(TDataSet* DataSet, TStrings& LookupFields, TStrings& LookupLinks,
                         TdcLookupTableList& LookupTableList) {
  for (TdcTable* table : LookupTableList) table->LookupPositioned = false;
  for (int i = 0; i < LookupFields.Count(); ++i) {
    const std::optional<LookupFieldLine> line = ReadLookupFieldLine(LookupFields.Strings(i));
    if (!line) continue;
    const AnsiString links = i < LookupLinks.Count() ? LookupLinks.Strings(i) : AnsiString();
    TdcTable* table = FindTable(LookupTableList, *line, links);
    if (!table) {
      table = OpenLookupTable(*DataSet, *line);
      if (!table) continue;
      table->LookupLinksLine = links;
      LookupTableList.push_back(table);
    } else if (!table->Active()) {
      try {
        table->Open();
      } catch (const Exception&) {
        continue;
      }
    }
    const std::vector<AnsiString> tokens = ReadLookupLinkTokens(links);
    if (!MasterFieldsPresent(*DataSet, tokens)) {
      HideField(*DataSet, line->FieldName);
      return;
    }
    const bool positionedBefore = table->LookupPositioned;
    const bool foundBefore = table->LookupFound;
    bool foundNow = false;
    if (!positionedBefore) {
      table->LookupPositioning = true;
      try {
        foundNow = PositionByLinks(table, DataSet, tokens);
      } catch (...) {
        table->LookupPositioning = false;
        throw;
      }
      table->LookupPositioning = false;
      table->LookupFound = foundNow;
    }
    TField* target = DataSet->FindField(line->FieldName);
    if (target) {
      TField* source = table->FindField(line->LookupField);
      if (!foundNow && (!positionedBefore || !foundBefore))
        target->SetAsString("");
      else if (source)
        target->SetAsString(source->AsString());
    }
    table->LookupPositioned = true;
  }
}

bool PositionLookupTable(TDataSet* DataSet, TdcTable* LookupTable, const AnsiString& FieldName,
                         AnsiString& FirstLinkField) {
  RemoveEntriesOfMissingFields(DataSet, GetLookupFieldList(DataSet), GetLookupLinkList(DataSet),
                               GetControlTypeList(DataSet));
  TStrings* fields = GetLookupFieldList(DataSet);
  if (!fields) return false;
  for (int i = 0; i < fields->Count(); ++i) {
    const std::optional<LookupFieldLine> line = ReadLookupFieldLine(fields->Strings(i));
    if (!line || !SameText(line->FieldName, FieldName)) continue;
    if (SameText(CutAtDot(LookupTable->TableName()), CutAtDot(line->TableName))) {
      if (line->IndexFields.empty()) {
        if (LookupTable->IndexName() != line->IndexName) LookupTable->SetIndexName(line->IndexName);
      } else {
        LookupTable->LookupSwitch = true;
        try {
          LookupTable->SelectIndexForFields(line->IndexFieldText());
        } catch (...) {
          LookupTable->LookupSwitch = false;
          throw;
        }
        LookupTable->LookupSwitch = false;
      }
    }
    TStrings* linkList = GetLookupLinkList(DataSet);
    const std::vector<AnsiString> tokens =
        ReadLookupLinkTokens(linkList && i < linkList->Count() ? linkList->Strings(i) : AnsiString());
    if (!MasterFieldsPresent(*DataSet, tokens)) {
      HideField(*DataSet, line->FieldName);
      return false;
    }
    FirstLinkField = tokens.empty() ? AnsiString() : tokens.front();
    return PositionByLinks(LookupTable, DataSet, tokens);
  }
  return false;
}

bool FindLookupFieldValue(TField* Field, AnsiString& Value, AnsiString& LookupField) {
  TdcLookupTableList* tables = Field ? GetLookupTableList(Field->DataSet()) : nullptr;
  if (!tables) return false;
  const LookupSpec spec = GetLookupSpec(Field);
  for (TdcTable* table : *tables) {
    if (table->DatabaseName() != spec.DatabaseName || table->TableName() != spec.TableName ||
        !SameText(table->LookupLinksLine, spec.Links))
      continue;
    LookupField = spec.LookupField;
    const std::vector<AnsiString> tokens = ReadLookupLinkTokens(spec.Links);
    TField* master = tokens.empty() ? nullptr : Field->DataSet()->FindField(tokens.front());
    Value = master ? master->AsString() : AnsiString();
    return FindKeyValues(table, {Value});
  }
  return false;
}
