#pragma once
// Which control edits a field: the ControlType list of a dataset or control, read and rewritten
// by field name (line format in ExtensionLines.h).
#include "framework/base/AnsiString.h"

class TObject;
class TField;
class TComponent;
class TDataSet;

struct FieldControlType {
  AnsiString Type;
  AnsiString Params;
};

// The last valid line of the field (field name compared with exact case); both empty when none.
FieldControlType GetFieldControlType(const TObject* Component, const AnsiString& FieldName);
// Rewrites the first line of the field (compared without case), keeping its spelling of the field
// name; an empty Type or "Field" deletes that line; without a line, one is appended. A type the
// list cannot hold changes nothing and answers False.
bool SetFieldControlType(TObject* Component, const AnsiString& FieldName, const AnsiString& Type,
                         const AnsiString& Params);
// The types whose params name a control: "CustomEdit", "LookupCombo" and "Combo", any case.
bool IsControlNamingType(const AnsiString& Type);
// While Component is being designed: deletes every line of a control-naming type whose control
// does not exist. A plain name is looked for on Component's form, a name with '.' (its part after
// the first '.') among the components of DataSet's owner. Answers True.
bool RemoveUnresolvedControlTypes(TComponent* Component, const TDataSet* DataSet);
// A blob field marked as rich text in its dataset's ControlType list or, with ReadContent, one
// whose content starts with the rich-text signature.
bool IsRichEditField(TField* Field, bool ReadContent);
