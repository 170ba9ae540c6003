#include "datagrid/FieldTextTests.h"

#include "datagrid/DateTextHelpers.h"
#include "datagrid/ExtensionProperties.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"

bool DataSetHasField(const TDataSet* DataSet, const AnsiString& FieldName) {
  return DataSet && DataSet->FindField(FieldName) != nullptr;
}

bool IsCalculatedOrLookupField(const TField* Field) { return Field && (Field->Calculated() || Field->Lookup()); }

bool IsNonBdeField(const TField* Field) {
  if (!Field) return false;
  if (IsCalculatedOrLookupField(Field)) return true;
  // The record manager's datasets all descend from this one.
  return !Field->DataSet() || !ClassInheritsFromName(Field->DataSet()->ClassInfo(), "TttBDEDataset");
}

bool IsValidTextForType(TFieldType FieldType, const AnsiString& Text) {
  if (Text.empty()) return true;
  switch (FieldType) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc:
      return IsIntegerText(Text);
    case ftFloat: case ftCurrency: case ftBCD:
      return IsFloatText(Text);
    case ftDate:
      return IsDateText(Text);
    case ftTime:
      return IsTimeText(Text);
    case ftDateTime:
      return IsDateTimeText(Text) || IsDateText(Text);
    default:
      return true;
  }
}

bool IsValidFieldText(const TField* Field, const AnsiString& Text) {
  return Field && IsValidTextForType(Field->DataType(), Text);
}

bool IsValidFieldValueText(const TField* Field, const AnsiString& Text) {
  if (!Field) return false;
  if (Text.empty()) {
    const TFieldType type = Field->DataType();
    return !IsNumericFieldType(type) && type != ftDate && type != ftTime && type != ftDateTime;
  }
  return IsValidTextForType(Field->DataType(), Text);
}

bool IsNumericFieldType(TFieldType FieldType) {
  switch (FieldType) {
    case ftSmallint: case ftInteger: case ftWord: case ftFloat: case ftCurrency: case ftAutoInc:
      return true;
    default:
      return false;
  }
}

bool IsSearchableFieldType(TFieldType FieldType) {
  return FieldType != ftBytes && FieldType != ftVarBytes && FieldType != ftBlob && FieldType != ftGraphic;
}
