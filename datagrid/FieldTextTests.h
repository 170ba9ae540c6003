#pragma once
// Tests of fields and of texts meant for them, by field type.
#include "framework/base/AnsiString.h"
#include "framework/db/DbTypes.h"

class TDataSet;
class TField;

// A field of that name, compared without case.
bool DataSetHasField(const TDataSet* DataSet, const AnsiString& FieldName);
bool IsCalculatedOrLookupField(const TField* Field);
// Calculated and lookup fields, and fields of datasets the record manager does not hold.
bool IsNonBdeField(const TField* Field);
// Integer types need an integer text, floating-point types a number, date, time and date-time
// types their texts (a date-time field takes a date alone); an empty text and other types pass.
bool IsValidTextForType(TFieldType FieldType, const AnsiString& Text);
// False for no field.
bool IsValidFieldText(const TField* Field, const AnsiString& Text);
// The same, but an empty text fails for the numeric, date, time and date-time types; False for
// no field.
bool IsValidFieldValueText(const TField* Field, const AnsiString& Text);
// Smallint, Integer, Word, Float, Currency and AutoInc.
bool IsNumericFieldType(TFieldType FieldType);
// Every type but Bytes, VarBytes, Blob and Graphic.
bool IsSearchableFieldType(TFieldType FieldType);
