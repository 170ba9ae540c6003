#include "datagrid/FilterDummyForm.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "datagrid/FieldControlTypes.h"
#include "datagrid/FilterDialog.h"
#include "datagrid/FilterTypedValues.h"
#include "datagrid/FilterValueSyntax.h"
#include "datagrid/SelectedLists.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/MemoryStream.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "framework/db/DataSet.h"
#include "framework/db/Field.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/RichTextToPlainText.h"

namespace {

// A memo search compares at most this much of each token.
constexpr size_t kLongestMemoToken = 255;

bool isBlank(const AnsiString& text) { return text.find_first_not_of(' ') == AnsiString::npos; }

// Equal texts match; otherwise the two are compared as values of the field's kind.
bool compareTypedValues(const AnsiString& token, const AnsiString& text, TFieldType type) {
  if (token == text) return true;
  const FilterValueKind kind = FilterValueKindOf(type);
  if (kind == FilterValueKind::Text) return false;
  if (isBlank(token) != isBlank(text)) return false;
  switch (kind) {
    case FilterValueKind::Integer: case FilterValueKind::Float: case FilterValueKind::Date:
    case FilterValueKind::Time: case FilterValueKind::DateTime: {
      double a = 0, b = 0;
      return ReadFilterValue(kind, token, a) && ReadFilterValue(kind, text, b) && a == b;
    }
    default:
      return false;
  }
}

// Start, anywhere, exact by text and end, on the field's text.
bool matchToken(TdcFilterMatchType type, std::string_view token, std::string_view text, TFieldType fieldType) {
  const size_t at = token.empty() ? std::string_view::npos : text.find(token);
  switch (type) {
    case fdMatchStart: return at == 0;
    case fdMatchAny: return at != std::string_view::npos;
    case fdMatchExact: return compareTypedValues(AnsiString(token), AnsiString(text), fieldType);
    case fdMatchEnd: return at != std::string_view::npos && text.size() >= token.size() && at == text.size() - token.size();
    default: return true;
  }
}

}  // namespace

TdcDummyForm::TdcDummyForm(TComponent* AOwner, TdcFilterDialog& Dialog) : TForm(AOwner), dialog_(Dialog) {
  SetCaption("dcDummyForm");
}

TdcDummyForm::~TdcDummyForm() { delete stream_; }

void TdcDummyForm::FilterRecord(TDataSet* DataSet, bool& Accept) {
  dataSet_ = DataSet;
  Accept = true;
  for (TdcFieldInfo& criterion : dialog_.Criteria()) {
    if (criterion.FieldName.empty()) criterion.FieldName = FieldNameFromDisplayLabel(DataSet, criterion.DisplayLabel);
    // A criterion on a field the dataset no longer has cannot hold, inverted or not.
    const bool evaluable = FieldOf(criterion) != nullptr;
    bool result = evaluable && MatchFilterCriterion(criterion);
    if (evaluable && criterion.NonMatching && criterion.MatchType != fdMatchRange) result = !result;
    Accept = result;
    if (!Accept) break;
  }
}

TField* TdcDummyForm::FieldOf(TdcFieldInfo& Criterion) {
  if (!dataSet_) return nullptr;
  TField* field = Criterion.FieldName.empty() ? nullptr : dataSet_->FindField(Criterion.FieldName);
  if (!field) {
    Criterion.FieldName = FieldNameFromDisplayLabel(dataSet_, Criterion.DisplayLabel);
    if (!Criterion.FieldName.empty()) field = dataSet_->FindField(Criterion.FieldName);
  }
  return field;
}

AnsiString TdcDummyForm::FieldText(TField* Field) {
  if (Field->IsNull()) return {};
  // The parameter reads every type's value as text, dates in the short forms, whatever its length.
  param_.AssignField(Field);
  return param_.AsString();
}

bool TdcDummyForm::MatchFilterCriterion(TdcFieldInfo& Criterion) {
  TField* field = FieldOf(Criterion);
  if (!field) return false;
  if (Criterion.MatchType == fdMatchRange) return MatchRange(field, Criterion);
  if (field->IsBlob()) return MatchMemo(field, Criterion);

  const FilterValueTokens value = SplitFilterValue(Criterion.FilterValue, dialog_.Operators());
  const bool orMode = value.Mode == FilterValueMode::Or;
  AnsiString text = FieldText(field);
  if (!Criterion.CaseSensitive) text = AnsiUpperCase(text);
  bool result = !orMode;
  for (const AnsiString& token : value.Tokens) {
    bool matches;
    if (text.empty() && StrEqualNoCase(token, dialog_.Operators().NullChar()))
      matches = true;
    else
      matches = matchToken(Criterion.MatchType, Criterion.CaseSensitive ? token : AnsiUpperCase(token), text,
                           field->DataType());
    if (orMode && matches) return true;
    if (!orMode && !matches) return false;
  }
  return result;
}

bool TdcDummyForm::MatchRange(TField* Field, const TdcFieldInfo& Criterion) {
  const FilterValueKind kind = FilterValueKindOf(Field->DataType());
  if (kind == FilterValueKind::Text) {
    AnsiString text = FieldText(Field);
    AnsiString min = Criterion.MinValue, max = Criterion.MaxValue;
    if (!Criterion.CaseSensitive) {
      text = AnsiUpperCase(text);
      min = AnsiUpperCase(min);
      max = AnsiUpperCase(max);
    }
    if (!max.empty() && static_cast<int>(max.size()) < Field->Size())
      max.append(Field->Size() - max.size(), dialog_.UpperRangePadChar);
    if (!min.empty() && CompareStr(text, min) < 0) return false;
    if (!max.empty() && CompareStr(text, max) > 0) return false;
    return true;
  }
  if (kind != FilterValueKind::Integer && kind != FilterValueKind::Float && kind != FilterValueKind::Date &&
      kind != FilterValueKind::Time && kind != FilterValueKind::DateTime)
    return true;
  const double value = kind == FilterValueKind::Integer ? static_cast<double>(Field->AsInteger())
                       : kind == FilterValueKind::Float ? Field->AsFloat()
                                                        : Field->AsDateTime();
  double bound = 0;
  // The form refuses a bound that does not read; one that still arrives matches nothing.
  if (!Criterion.MinValue.empty() && (!ReadFilterValue(kind, Criterion.MinValue, bound) || bound > value)) return false;
  if (!Criterion.MaxValue.empty() && (!ReadFilterValue(kind, Criterion.MaxValue, bound) || value > bound)) return false;
  return true;
}

bool TdcDummyForm::MatchMemo(TField* Field, const TdcFieldInfo& Criterion) {
  const FilterValueTokens value = SplitFilterValue(Criterion.FilterValue, dialog_.Operators());
  const bool orMode = value.Mode == FilterValueMode::Or;
  bool result = !orMode;
  if (Criterion.MatchType != fdMatchStart && Criterion.MatchType != fdMatchAny && Criterion.MatchType != fdMatchExact)
    return result;

  std::vector<char>& buffer = dialog_.MemoBuffer();
  if (buffer.empty()) return false;
  const AnsiString whole = Field->AsString();
  const size_t length = std::min(whole.size(), buffer.size() - 1);
  std::memcpy(buffer.data(), whole.data(), length);
  buffer[length] = '\0';
  if (IsRichEditField(Field, false)) {
    if (!stream_) stream_ = new MemoryStream;
    if (!richEdit_) richEdit_ = new TRichEdit(this);
    RichTextToPlainText(this, buffer.data(), static_cast<int>(buffer.size()), stream_, richEdit_);
  }
  std::string_view text(buffer.data());
  AnsiString upper;
  if (!Criterion.CaseSensitive) {
    upper = AnsiUpperCase(AnsiString(text));
    text = upper;
  }
  for (const AnsiString& token : value.Tokens) {
    const AnsiString cased = Criterion.CaseSensitive ? token : AnsiUpperCase(token);
    const std::string_view cut(cased.data(), std::min(cased.size(), kLongestMemoToken));
    bool matches;
    if (text.empty() && StrEqualNoCase(token, dialog_.Operators().NullChar())) {
      matches = true;
    } else {
      const size_t at = cut.empty() ? std::string_view::npos : text.find(cut);
      matches = Criterion.MatchType == fdMatchStart ? at == 0
                : Criterion.MatchType == fdMatchAny ? at != std::string_view::npos
                                                    : cut.size() == text.size() && at != std::string_view::npos;
    }
    if (orMode && matches) return true;
    if (!orMode && !matches) return false;
  }
  return result;
}
