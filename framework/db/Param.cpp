#include "framework/db/Param.h"

#include <cstring>

#include "framework/base/DateFormat.h"
#include "framework/base/FormatText.h"
#include "framework/base/TextCompare.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/Bcd.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/Field.h"

void TParam::Set(TFieldType type, const Variant& v) {
  dataType_ = type;
  SetValue(v);
}

void TParam::SetValue(const Variant& value) {
  value_ = value;
  bound_ = true;
}

AnsiString TParam::AsString() const {
  if (value_.IsNull()) return {};
  switch (dataType_) {
    case ftDate: return DateToStr(value_.AsFloat());
    case ftTime: return TimeToStr(value_.AsFloat());
    case ftDateTime: return DateTimeToStr(value_.AsFloat());
    default: return value_.AsString();
  }
}

void TParam::AssignField(TField* field) {
  name_ = field->FieldName();
  AssignFieldValue(field, field->AsVariant());
}

void TParam::AssignFieldValue(TField* field, const Variant& value) {
  dataType_ = field->DataType() == ftAutoInc ? ftInteger : field->DataType();
  SetValue(value);
}

int TParam::GetDataSize() const {
  switch (dataType_) {
    case ftString:
    case ftFixedChar:
    case ftMemo:
    case ftBlob:
    case ftBytes:
    case ftVarBytes: return static_cast<int>(value_.AsString().size()) + 1;
    case ftSmallint:
    case ftWord:
    case ftBoolean: return 2;
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime: return 4;
    case ftBCD: return sizeof(BcdValue);
    default: return 8;
  }
}

void TParam::SetData(const void* buffer) {
  bound_ = true;
  if (!buffer) {
    value_ = Variant();
    return;
  }
  switch (dataType_) {
    case ftString:
    case ftFixedChar:
    case ftMemo: value_ = AnsiString(static_cast<const char*>(buffer)); break;
    case ftSmallint: value_ = static_cast<int>(FromBytes<int16_t>(buffer)); break;
    case ftWord: value_ = static_cast<int>(FromBytes<uint16_t>(buffer)); break;
    case ftBoolean: value_ = FromBytes<int16_t>(buffer) != 0; break;
    case ftInteger:
    case ftAutoInc: value_ = FromBytes<int32_t>(buffer); break;
    case ftLargeint: value_ = FromBytes<int64_t>(buffer); break;
    case ftFloat:
    case ftCurrency: value_ = FromBytes<double>(buffer); break;
    case ftBCD: value_ = BcdToDouble(FromBytes<BcdValue>(buffer)); break;
    case ftDate:
      value_ = Variant::FromDateTime(NativeToDateTime(FromBytes<int32_t>(buffer), 0));
      break;
    case ftTime:
      value_ = Variant::FromDateTime(NativeToDateTime(DateDelta, FromBytes<int32_t>(buffer)));
      break;
    case ftDateTime:
      value_ = Variant::FromDateTime(StampToDateTime(FromBytes<double>(buffer)));
      break;
    default: DatabaseError(Format("Parameter '%s' has no native form", {name_}));
  }
}

void TParam::GetData(void* buffer) const {
  switch (dataType_) {
    case ftString:
    case ftFixedChar:
    case ftMemo: {
      AnsiString s = value_.AsString();
      std::memcpy(buffer, s.c_str(), s.size() + 1);
      break;
    }
    case ftSmallint:
    case ftBoolean:
      ToBytes(buffer, static_cast<int16_t>(dataType_ == ftBoolean ? (value_.AsBoolean() ? -1 : 0)
                                                                : value_.AsInteger()));
      break;
    case ftWord: ToBytes(buffer, static_cast<uint16_t>(value_.AsInteger())); break;
    case ftInteger:
    case ftAutoInc: ToBytes(buffer, static_cast<int32_t>(value_.AsInteger())); break;
    case ftLargeint: ToBytes(buffer, value_.AsInteger()); break;
    case ftFloat:
    case ftCurrency: ToBytes(buffer, value_.AsFloat()); break;
    case ftBCD: ToBytes(buffer, DoubleToBcd(value_.AsFloat(), 32, 4)); break;
    case ftDate:
    case ftTime: {
      int32_t day, ms;
      DateTimeToNative(value_.AsFloat(), day, ms);
      ToBytes(buffer, dataType_ == ftDate ? day : ms);
      break;
    }
    case ftDateTime: ToBytes(buffer, DateTimeToStamp(value_.AsFloat())); break;
    default: DatabaseError(Format("Parameter '%s' has no native form", {name_}));
  }
}

TParam& TParams::CreateParam(TFieldType type, const AnsiString& name, TParamType paramType) {
  params_.push_back(std::make_unique<TParam>(name, type, paramType));
  return *params_.back();
}

TParam* TParams::FindParam(const AnsiString& name) const {
  for (const auto& p : params_)
    if (SameText(p->Name(), name)) return p.get();
  return nullptr;
}

TParam& TParams::ParamByName(const AnsiString& name) const {
  TParam* p = FindParam(name);
  if (!p) DatabaseError(Format("Parameter '%s' not found", {name}));
  return *p;
}

void TParams::AssignValues(const TParams& source) {
  for (const auto& from : source.params_) {
    TParam* to = FindParam(from->Name());
    if (!to) continue;
    to->SetDataType(from->DataType());
    if (from->Bound()) to->SetValue(from->Value());
  }
}
