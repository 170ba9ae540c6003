#include "framework/db/DataSetFilter.h"

#include <utility>
#include <vector>

#include "framework/base/DateParse.h"
#include "framework/base/FloatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/Bcd.h"
#include "framework/db/DataSet.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/Field.h"
#include "framework/db/FilterExpression.h"

using namespace filterexpr;

namespace {

// A number the field's type cannot hold does not read as one, so it is compared as text
// rather than cut to a value the field may well have.
template <typename T>
std::optional<std::string> Integer(const AnsiString& text) {
  int64_t v;
  if (!TryStrToInt64(text, v) || !std::in_range<T>(v)) return std::nullopt;
  return BytesOf(static_cast<T>(v));
}

std::optional<std::string> Float(const AnsiString& text) {
  double v;
  if (!TryStrToFloat(text, v)) return std::nullopt;
  return BytesOf(v);
}

}  // namespace

std::optional<FieldInfo> FilterFieldInfo(const TField& field) {
  switch (field.DataType()) {
    case ftString:
    case ftFixedChar: return FieldInfo{ltText, nullptr};
    case ftSmallint: return FieldInfo{ltInteger, Integer<int16_t>};
    case ftWord: return FieldInfo{ltWord, Integer<uint16_t>};
    case ftInteger:
    case ftAutoInc: return FieldInfo{ltLongInt, Integer<int32_t>};
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
    case ftBCD: return FieldInfo{ltFloat, Float};
    case ftBoolean:
      return FieldInfo{ltBoolean, [](const AnsiString& t) -> std::optional<std::string> {
                         if (t.empty()) return std::nullopt;
                         return BytesOf<int16_t>(t[0] == 'T' || t[0] == 't' ? -1 : 0);
                       }};
    case ftDate:
      return FieldInfo{ltDate, [](const AnsiString& t) -> std::optional<std::string> {
                         TDateTime v;
                         if (!TryStrToDate(t, v)) return std::nullopt;
                         int32_t day, ms;
                         DateTimeToNative(v, day, ms);
                         return BytesOf(day);
                       }};
    case ftTime:
      return FieldInfo{ltTime, [](const AnsiString& t) -> std::optional<std::string> {
                         TDateTime v;
                         if (!TryStrToTime(t, v)) return std::nullopt;
                         int32_t day, ms;
                         DateTimeToNative(v, day, ms);
                         return BytesOf(ms);
                       }};
    case ftDateTime:
      return FieldInfo{ltTimeStamp, [](const AnsiString& t) -> std::optional<std::string> {
                         TDateTime v;
                         if (!TryStrToDateTime(t, v)) return std::nullopt;
                         return BytesOf(DateTimeToStamp(v));
                       }};
    case ftBytes:
    case ftVarBytes: return FieldInfo{ltBytes, nullptr};
    default: return std::nullopt;
  }
}

FieldResolver FilterFieldsOf(const TDataSet& dataSet) {
  return [&dataSet](const AnsiString& name) -> std::optional<FieldInfo> {
    TField* field = dataSet.FindField(name);
    if (!field) return std::nullopt;
    return FilterFieldInfo(*field);
  };
}

std::optional<TypedValue> DataSetFilterRecord::FieldValue(const AnsiString& name) {
  TField* field = dataSet_.FindField(name);
  if (!field) return std::nullopt;
  std::optional<FieldInfo> info = FilterFieldInfo(*field);
  if (!info) return std::nullopt;
  TypedValue value{info->type, {}};
  std::vector<char> data(field->DataSize() + 1, '\0');
  bool present = field->GetData(data.data());
  switch (field->DataType()) {
    case ftString:
    case ftFixedChar: value.bytes = present ? AnsiString(data.data()) : AnsiString(); break;
    case ftLargeint:
    case ftBCD: value.bytes = BytesOf(present ? field->AsFloat() : 0.0); break;
    default: value.bytes.assign(data.data(), field->DataSize()); break;
  }
  return value;
}
