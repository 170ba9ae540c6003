#include "datagrid/LookupFieldLists.h"

#include <optional>

#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "framework/base/Strings.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"

namespace {

struct FoundLookupLine {
  int index = -1;
  LookupFieldLine line;
};

std::optional<FoundLookupLine> firstLookupLine(const TObject* dataSet, const AnsiString& fieldName) {
  const TStrings* list = GetLookupFieldList(dataSet);
  if (!list) return std::nullopt;
  for (int i = 0; i < list->Count(); ++i) {
    std::optional<LookupFieldLine> line = ReadLookupFieldLine(list->Strings(i));
    if (line && line->FieldName == fieldName) return FoundLookupLine{i, std::move(*line)};
  }
  return std::nullopt;
}

AnsiString linksAt(const TObject* dataSet, int index) {
  const TStrings* links = GetLookupLinkList(dataSet);
  return links && index < links->Count() ? links->Strings(index) : AnsiString();
}

}  // namespace

AnsiString GetLookupLinks(const TObject* DataSet, const AnsiString& FieldName) {
  const std::optional<FoundLookupLine> found = firstLookupLine(DataSet, FieldName);
  return found ? linksAt(DataSet, found->index) : AnsiString();
}

AnsiString GetLookupFieldName(const TObject* DataSet, const AnsiString& FieldName) {
  const std::optional<FoundLookupLine> found = firstLookupLine(DataSet, FieldName);
  return found ? found->line.LookupField : AnsiString();
}

LookupSpec GetLookupSpec(const TField* Field) {
  LookupSpec spec;
  if (!Field) return spec;
  const TDataSet* dataSet = Field->DataSet();
  const std::optional<FoundLookupLine> found = firstLookupLine(dataSet, Field->FieldName());
  if (!found) {
    spec.DatabaseName = GetDatabaseName(dataSet);
    return spec;
  }
  spec.DatabaseName = found->line.DatabaseName;
  spec.TableName = found->line.TableNameInUse();
  spec.Links = linksAt(dataSet, found->index);
  spec.LookupField = found->line.LookupField;
  return spec;
}

void RemoveEntriesOfMissingFields(const TDataSet* DataSet, TStrings* LookupFields, TStrings* LookupLinks,
                                  TStrings* ControlType) {
  if (!DataSet) return;
  auto missing = [DataSet](const AnsiString& line, char separator) {
    return DataSet->FindField(line.substr(0, line.find(separator))) == nullptr;
  };
  if (LookupFields) {
    for (int i = LookupFields->Count() - 1; i >= 0; --i) {
      if (!missing(LookupFields->Strings(i), ';')) continue;
      LookupFields->Delete(i);
      if (LookupLinks && i < LookupLinks->Count()) LookupLinks->Delete(i);
    }
  }
  if (ControlType) {
    for (int i = ControlType->Count() - 1; i >= 0; --i)
      if (missing(ControlType->Strings(i), ';')) ControlType->Delete(i);
  }
}
