#include "datagrid/ExtensionLines.h"

#include "datagrid/StringHelpers.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringList.h"

namespace {

constexpr char kTab = '\t';
constexpr size_t kMaxParams = 255;
constexpr const char* kControlTypes[] = {"CheckBox",   "CustomEdit",  "RichEdit", "Bitmap",
                                         "ImageIndex", "LookupCombo", "Combo"};

bool holds(const AnsiString& text, char ch) { return text.find(ch) != AnsiString::npos; }

AnsiString joined(const std::vector<AnsiString>& parts, char separator) {
  AnsiString line;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) line += separator;
    line += parts[i];
  }
  return line;
}

const char* flagText(bool flag) { return flag ? "T" : "F"; }

}  // namespace

std::vector<AnsiString> SplitLine(const AnsiString& Line, char Separator) {
  StringList pieces;
  StrSplit(Line, Separator, pieces);
  std::vector<AnsiString> result;
  result.reserve(pieces.Count());
  for (int i = 0; i < pieces.Count(); ++i) result.push_back(pieces[i]);
  return result;
}

bool IsKnownControlType(const AnsiString& Type) {
  for (const char* known : kControlTypes)
    if (StrEqualNoCase(Type, known)) return true;
  return false;
}

std::optional<ControlTypeLine> ReadControlTypeLine(const AnsiString& Line) {
  const size_t first = Line.find(';');
  if (first == AnsiString::npos || first == 0) return std::nullopt;
  const size_t second = Line.find(';', first + 1);
  ControlTypeLine line;
  line.FieldName = Line.substr(0, first);
  line.Type = Line.substr(first + 1, second == AnsiString::npos ? AnsiString::npos : second - first - 1);
  if (!IsKnownControlType(line.Type)) return std::nullopt;
  if (second != AnsiString::npos) line.Params = Line.substr(second + 1, kMaxParams);
  return line;
}

std::optional<AnsiString> WriteControlTypeLine(const ControlTypeLine& Line) {
  if (Line.FieldName.empty() || holds(Line.FieldName, ';') || !IsKnownControlType(Line.Type) ||
      Line.Params.size() > kMaxParams)
    return std::nullopt;
  return Line.FieldName + ";" + Line.Type + ";" + Line.Params;
}

std::optional<PictureMaskLine> ReadPictureMaskLine(const AnsiString& Line) {
  const std::vector<AnsiString> parts = SplitLine(Line, kTab);
  if (parts.size() < 2 || parts[0].empty() || parts[1].empty()) return std::nullopt;
  PictureMaskLine line;
  line.FieldName = parts[0];
  line.Mask = parts[1];
  line.AutoFill = parts.size() > 2 && parts[2] == "T";
  line.UseInGrid = parts.size() > 3 && parts[3] == "T";
  return line;
}

std::optional<AnsiString> WritePictureMaskLine(const PictureMaskLine& Line) {
  if (Line.FieldName.empty() || Line.Mask.empty() || holds(Line.FieldName, kTab) || holds(Line.Mask, kTab))
    return std::nullopt;
  return joined({Line.FieldName, Line.Mask, flagText(Line.AutoFill), flagText(Line.UseInGrid)}, kTab);
}

AnsiString LookupFieldLine::IndexFieldText() const { return joined(IndexFields, ';'); }

bool LookupFieldLine::CutsTableName() const {
  if (Flag) return *Flag == "N";
  return !IndexFields.empty() && IndexFields.back() == "N";
}

AnsiString LookupFieldLine::TableNameInUse() const {
  return CutsTableName() ? TableName.substr(0, TableName.find('.')) : TableName;
}

std::optional<LookupFieldLine> ReadLookupFieldLine(const AnsiString& Line) {
  const std::vector<AnsiString> tokens = SplitLine(Line, ';');
  if (tokens.size() < 5 || tokens[0].empty()) return std::nullopt;
  LookupFieldLine line;
  line.FieldName = tokens[0];
  line.DatabaseName = tokens[1];
  line.TableName = tokens[2];
  line.LookupField = tokens[3];
  line.IndexName = tokens[4];
  if (tokens.size() == 6) line.IndexFields.push_back(tokens[5]);
  if (tokens.size() >= 7) {
    line.IndexFields.assign(tokens.begin() + 5, tokens.end() - 1);
    line.Flag = tokens.back();
  }
  return line;
}

std::optional<AnsiString> WriteLookupFieldLine(const LookupFieldLine& Line) {
  std::vector<AnsiString> tokens{Line.FieldName, Line.DatabaseName, Line.TableName, Line.LookupField, Line.IndexName};
  tokens.insert(tokens.end(), Line.IndexFields.begin(), Line.IndexFields.end());
  // A flag without index fields would read back as an index field.
  if (Line.Flag) {
    if (Line.IndexFields.empty()) return std::nullopt;
    tokens.push_back(*Line.Flag);
  }
  if (Line.FieldName.empty()) return std::nullopt;
  for (const AnsiString& token : tokens)
    if (holds(token, ';')) return std::nullopt;
  return joined(tokens, ';');
}

std::vector<AnsiString> ReadLookupLinkTokens(const AnsiString& Line) {
  if (Line.empty()) return {};
  return SplitLine(Line, ';');
}

std::optional<SelectedLine> ReadSelectedLine(const AnsiString& Line) {
  const std::vector<AnsiString> parts = SplitLine(Line, kTab);
  SelectedLine line;
  if (parts.size() < 3 || parts[0].empty() || !TryStrToInt(parts[1], line.Width)) return std::nullopt;
  line.FieldName = parts[0];
  line.Title = parts[2];
  if (parts.size() > 3) line.ReadOnly = parts[3] == "T";
  return line;
}

std::optional<AnsiString> WriteSelectedLine(const SelectedLine& Line) {
  if (Line.FieldName.empty() || holds(Line.FieldName, kTab) || holds(Line.Title, kTab)) return std::nullopt;
  std::vector<AnsiString> parts{Line.FieldName, IntToStr(Line.Width), Line.Title};
  if (Line.ReadOnly) parts.push_back(flagText(*Line.ReadOnly));
  return joined(parts, kTab);
}
