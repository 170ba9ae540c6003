#pragma once
// The Selected lists of grids and lookup dialogs: which fields show, how wide and under which
// title (line format in ExtensionLines.h; '~' in a title breaks it in a grid and reads as a blank
// when a title is matched against a field).
#include "framework/base/AnsiString.h"

class TStrings;
class TDataSet;

// Hides every field, then shows the field of each valid line i with its width and title at index
// i; the dataset's controls are disabled meanwhile.
void ApplySelectedToFields(TDataSet* DataSet, const TStrings& Selected);
// The visible fields in field order: name, display width and display label.
void BuildSelectedFromFields(TDataSet* DataSet, TStrings& Selected);
// The first line whose field name equals FieldName without case; -1 when none.
int FindSelectedLine(const TStrings& Selected, const AnsiString& FieldName);
// The first field whose display label equals Label, '~' read as a blank in both; empty when none.
AnsiString FieldNameFromDisplayLabel(TDataSet* DataSet, const AnsiString& Label);
// The first line equal to Text without case; -1 when none.
int IndexOfTextNoCase(const TStrings& Strings, const AnsiString& Text);
