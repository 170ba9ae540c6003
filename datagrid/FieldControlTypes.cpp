#include "datagrid/FieldControlTypes.h"

#include "datagrid/ExtensionLines.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/InputHelpers.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/Strings.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"

namespace {

// The field name a line starts with, valid or not: a writer replaces a damaged line of its field.
AnsiString leadingName(const AnsiString& line) { return line.substr(0, line.find(';')); }

}  // namespace

FieldControlType GetFieldControlType(const TObject* Component, const AnsiString& FieldName) {
  FieldControlType result;
  const TStrings* list = GetControlTypeList(Component);
  if (!list) return result;
  for (int i = 0; i < list->Count(); ++i) {
    const std::optional<ControlTypeLine> line = ReadControlTypeLine(list->Strings(i));
    if (line && line->FieldName == FieldName) result = {line->Type, line->Params};
  }
  return result;
}

bool SetFieldControlType(TObject* Component, const AnsiString& FieldName, const AnsiString& Type,
                         const AnsiString& Params) {
  TStrings* list = GetControlTypeList(Component);
  if (!list) return false;
  int found = -1;
  for (int i = 0; i < list->Count() && found < 0; ++i)
    if (StrEqualNoCase(leadingName(list->Strings(i)), FieldName)) found = i;
  if (Type.empty() || StrEqualNoCase(Type, "Field")) {
    if (found >= 0) list->Delete(found);
    return true;
  }
  const AnsiString name = found >= 0 ? leadingName(list->Strings(found)) : FieldName;
  const std::optional<AnsiString> line = WriteControlTypeLine({name, Type, Params});
  if (!line) return false;
  if (found >= 0)
    list->Put(found, *line);
  else
    list->Add(*line);
  return true;
}

bool IsControlNamingType(const AnsiString& Type) {
  return StrEqualNoCase(Type, "CustomEdit") || StrEqualNoCase(Type, "LookupCombo") || StrEqualNoCase(Type, "Combo");
}

bool RemoveUnresolvedControlTypes(TComponent* Component, const TDataSet* DataSet) {
  TStrings* list = GetControlTypeList(Component);
  if (!list || !Component->ComponentState().Contains(csDesigning)) return true;
  const TComponent* form = GetOwnerForm(Component);
  const TComponent* dataSetOwner = DataSet ? DataSet->Owner() : nullptr;
  auto resolves = [&](const AnsiString& name) {
    const size_t dot = name.find('.');
    if (dot == AnsiString::npos) return form && form->FindComponent(name);
    return dataSetOwner && dataSetOwner->FindComponent(name.substr(dot + 1));
  };
  for (int i = list->Count() - 1; i >= 0; --i) {
    const std::optional<ControlTypeLine> line = ReadControlTypeLine(list->Strings(i));
    if (line && IsControlNamingType(line->Type) && !resolves(line->Params)) list->Delete(i);
  }
  return true;
}

bool IsRichEditField(TField* Field, bool ReadContent) {
  if (!Field || !Field->IsBlob()) return false;
  if (const TStrings* list = GetControlTypeList(Field->DataSet())) {
    const AnsiString marker = Field->FieldName() + ";RichEdit";
    for (int i = 0; i < list->Count(); ++i)
      if (list->Strings(i).compare(0, marker.size(), marker) == 0) return true;
  }
  if (!ReadContent || !Field->DataSet() || !Field->DataSet()->Active()) return false;
  return Field->AsString().compare(0, 5, "{\\rtf") == 0;
}
