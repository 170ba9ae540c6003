#include "datagrid/FilterIndexRange.h"

#include <optional>

#include "datagrid/DcTable.h"
#include "datagrid/FilterTypedValues.h"
#include "datagrid/FilterValueSyntax.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/TextCase.h"
#include "framework/db/Field.h"

namespace {

AnsiString firstField(const AnsiString& fields) {
  const size_t end = fields.find(';');
  return end == AnsiString::npos ? fields : fields.substr(0, end);
}

bool hasLetters(const AnsiString& text) { return AnsiUpperCase(text) != AnsiLowerCase(text); }

// A key value of the index field read from the criterion's text; nullopt when it does not read.
std::optional<Variant> keyValue(const TField& field, const AnsiString& text) {
  const FilterValueKind kind = FilterValueKindOf(field.DataType());
  if (kind == FilterValueKind::Text) return Variant(text);
  double value = 0;
  if (!ReadFilterValue(kind, text, value)) return std::nullopt;
  if (kind == FilterValueKind::Integer) return Variant(static_cast<int64_t>(value));
  if (kind == FilterValueKind::Float) return Variant(value);
  if (kind == FilterValueKind::Date || kind == FilterValueKind::Time || kind == FilterValueKind::DateTime)
    return Variant::FromDateTime(value);
  return std::nullopt;
}

struct KeyRange {
  VariantArray start, end;
};

// The range of the criterion on an index whose first field is Field; nullopt when it has none.
std::optional<KeyRange> rangeOf(const TdcFieldInfo& c, const TField& field, bool indexWithoutCase, char pad) {
  const bool text = FilterValueKindOf(field.DataType()) == FilterValueKind::Text;
  auto padded = [&](const AnsiString& value) {
    AnsiString result = value;
    if (static_cast<int>(result.size()) < field.Size()) result.append(field.Size() - result.size(), pad);
    return result;
  };
  if (text && !c.CaseSensitive && !indexWithoutCase &&
      (hasLetters(c.FilterValue) || hasLetters(c.MinValue) || hasLetters(c.MaxValue)))
    return std::nullopt;
  KeyRange range;
  auto add = [&](VariantArray& side, const AnsiString& value) {
    const std::optional<Variant> key = keyValue(field, value);
    if (!key) return false;
    side.push_back(*key);
    return true;
  };
  switch (c.MatchType) {
    case fdMatchExact:
      if (c.FilterValue.empty() || !add(range.start, c.FilterValue) || !add(range.end, c.FilterValue)) return std::nullopt;
      return range;
    case fdMatchStart:
      if (!text || c.FilterValue.empty()) return std::nullopt;
      add(range.start, c.FilterValue);
      add(range.end, padded(c.FilterValue));
      return range;
    case fdMatchRange:
      if (c.MinValue.empty() && c.MaxValue.empty()) return std::nullopt;
      if (!c.MinValue.empty() && !add(range.start, c.MinValue)) return std::nullopt;
      if (!c.MaxValue.empty() && !add(range.end, text ? padded(c.MaxValue) : c.MaxValue)) return std::nullopt;
      return range;
    default:
      return std::nullopt;
  }
}

}  // namespace

bool ApplyFilterIndexRange(TdcTable& Table, const std::vector<TdcFieldInfo>& Criteria,
                           const TdcFieldOperators& Operators, TdcFilterOptimization Optimization, char PadChar) {
  if (Optimization == fdNone || Table.MasterSource()) return false;
  Table.UpdateIndexDefs();
  TIndexDefs& defs = Table.IndexDefs();
  for (const TdcFieldInfo& c : Criteria) {
    if (c.NonMatching) continue;
    if (c.MatchType != fdMatchRange && FilterValueHasOperator(c.FilterValue, Operators)) continue;
    TField* field = Table.FindField(c.FieldName);
    if (!field) continue;
    if (Optimization == fdUseActiveIndex) {
      if (Table.IndexFieldCount() == 0 || Table.GetIndexField(0) != field) continue;
      const TIndexDef* active = Table.ChosenIndexDef();
      const bool withoutCase = active && (active->Options & ixCaseInsensitive) != 0;
      const std::optional<KeyRange> range = rangeOf(c, *field, withoutCase, PadChar);
      if (!range) continue;
      Table.SetRange(range->start, range->end);
      return true;
    }
    // Any index on the field, one whose case option agrees with the criterion first.
    const TIndexDef* chosen = nullptr;
    for (int pass = 0; pass < 2 && !chosen; ++pass)
      for (int i = 0; i < defs.Count() && !chosen; ++i) {
        const TIndexDef& def = defs.Items(i);
        const bool withoutCase = (def.Options & ixCaseInsensitive) != 0;
        if (!StrEqualNoCase(firstField(def.Fields), field->FieldName())) continue;
        if (pass == 0 && withoutCase == c.CaseSensitive) continue;
        if (rangeOf(c, *field, withoutCase, PadChar)) chosen = &def;
      }
    if (!chosen) continue;
    const bool withoutCase = (chosen->Options & ixCaseInsensitive) != 0;
    Table.SetIndexName(chosen->Name);
    const std::optional<KeyRange> range = rangeOf(c, *field, withoutCase, PadChar);
    Table.SetRange(range->start, range->end);
    return true;
  }
  return false;
}
