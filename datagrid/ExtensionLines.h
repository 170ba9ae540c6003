#pragma once
// The line formats of the extension property lists, one line per field:
//   ControlType   field;type;params          (params: the rest of the line, at most 255 characters)
//   PictureMasks  field<TAB>mask<TAB>T|F<TAB>T|F   (AutoFill, UseInGrid)
//   LookupFields  field;database;table;lookup field;index name[;index fields...;flag]
//   LookupLinks   master field;lookup field[;master field;lookup field...]
//   Selected      field<TAB>width<TAB>title[<TAB>T|F]   (read-only flag)
// A line the forms could not have written (too few tokens, an unknown control type, a width that
// is no number) reads as absent: nullopt, which each caller takes as its default. A writer never
// makes such a line; it answers nullopt for parts that cannot make a valid one.
#include <optional>
#include <vector>

#include "framework/base/AnsiString.h"

struct ControlTypeLine {
  AnsiString FieldName;
  AnsiString Type;  // spelled as the line has it
  AnsiString Params;
};
// The control types a ControlType line may name.
bool IsKnownControlType(const AnsiString& Type);
std::optional<ControlTypeLine> ReadControlTypeLine(const AnsiString& Line);
std::optional<AnsiString> WriteControlTypeLine(const ControlTypeLine& Line);

struct PictureMaskLine {
  AnsiString FieldName;
  AnsiString Mask;
  bool AutoFill = true;
  bool UseInGrid = true;
};
std::optional<PictureMaskLine> ReadPictureMaskLine(const AnsiString& Line);
std::optional<AnsiString> WritePictureMaskLine(const PictureMaskLine& Line);

struct LookupFieldLine {
  AnsiString FieldName;
  AnsiString DatabaseName;
  AnsiString TableName;  // as written
  AnsiString LookupField;
  AnsiString IndexName;  // the fifth token
  // From the sixth token to the second-to-last (just the sixth in a line of six or seven): the
  // leading fields of the index, which then selects it in place of IndexName.
  std::vector<AnsiString> IndexFields;
  std::optional<AnsiString> Flag;  // the last token of a line of seven or more

  // The index fields joined with ';'.
  AnsiString IndexFieldText() const;
  // The last of six or more tokens is "N": only the table name before its first '.' is used.
  bool CutsTableName() const;
  AnsiString TableNameInUse() const;
};
std::optional<LookupFieldLine> ReadLookupFieldLine(const AnsiString& Line);
std::optional<AnsiString> WriteLookupFieldLine(const LookupFieldLine& Line);

// The tokens of a LookupLinks line: master field, lookup field, in pairs; empty for an empty line.
std::vector<AnsiString> ReadLookupLinkTokens(const AnsiString& Line);

struct SelectedLine {
  AnsiString FieldName;
  int Width = 0;
  AnsiString Title;
  std::optional<bool> ReadOnly;  // absent when the line has no fourth part
};
std::optional<SelectedLine> ReadSelectedLine(const AnsiString& Line);
std::optional<AnsiString> WriteSelectedLine(const SelectedLine& Line);

// The pieces of a line between the separators ("a;;b" gives "a", "" and "b").
std::vector<AnsiString> SplitLine(const AnsiString& Line, char Separator);
