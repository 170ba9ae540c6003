#pragma once
// The LookupFields and LookupLinks lists of a dataset read by field name: line i of LookupLinks
// belongs to line i of LookupFields (line formats in ExtensionLines.h).
#include "framework/base/AnsiString.h"

class TObject;
class TStrings;
class TDataSet;
class TField;

// The LookupLinks line of the field's first valid LookupFields line (exact case); empty when none.
AnsiString GetLookupLinks(const TObject* DataSet, const AnsiString& FieldName);
// The lookup field of that LookupFields line; empty when none.
AnsiString GetLookupFieldName(const TObject* DataSet, const AnsiString& FieldName);

struct LookupSpec {
  AnsiString DatabaseName;
  AnsiString TableName;  // as used for opening and matching
  AnsiString Links;
  AnsiString LookupField;
};
// From the field's first valid LookupFields line; without one, the dataset's own DatabaseName and
// the rest empty.
LookupSpec GetLookupSpec(const TField* Field);

// Deletes every LookupFields line (with the LookupLinks line of its index) and every ControlType
// line whose field the dataset lacks; field names compared without case. Any list may be nullptr.
void RemoveEntriesOfMissingFields(const TDataSet* DataSet, TStrings* LookupFields, TStrings* LookupLinks,
                                  TStrings* ControlType);
