#pragma once
// TParam: a named, typed value passed to a query or procedure, or used to read a field's native
// value as text; TParams: the list of them. A typed setter (AsInteger, AsDate ...) also sets the
// parameter's DataType; SetData and GetData move the value in the native record form of DataType.
#include <memory>
#include <vector>

#include "framework/base/Object.h"
#include "framework/db/DbTypes.h"
#include "framework/db/Variant.h"

class TField;

enum TParamType { ptUnknown, ptInput, ptOutput, ptInputOutput, ptResult };

class TParam : public TObject {
  QN_CLASS(TParam, TObject)
 public:
  TParam() = default;
  TParam(const AnsiString& name, TFieldType type, TParamType paramType)
      : name_(name), dataType_(type), paramType_(paramType) {}

  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& name) { name_ = name; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType type) { dataType_ = type; }
  TParamType ParamType() const { return paramType_; }
  void SetParamType(TParamType type) { paramType_ = type; }
  // Set once a value was given.
  bool Bound() const { return bound_; }
  void SetBound(bool value) { bound_ = value; }

  const Variant& Value() const { return value_; }
  void SetValue(const Variant& value);
  bool IsNull() const { return value_.IsNull(); }
  void Clear() { value_ = Variant(); }

  // Dates, times and date-times read as text in the locale's short forms; Null as "".
  AnsiString AsString() const;
  void SetAsString(const AnsiString& v) { Set(ftString, v); }
  int32_t AsInteger() const { return static_cast<int32_t>(value_.AsInteger()); }
  void SetAsInteger(int32_t v) { Set(ftInteger, v); }
  void SetAsSmallInt(int v) { Set(ftSmallint, v); }
  void SetAsWord(int v) { Set(ftWord, v); }
  double AsFloat() const { return value_.AsFloat(); }
  void SetAsFloat(double v) { Set(ftFloat, v); }
  void SetAsCurrency(double v) { Set(ftCurrency, v); }
  void SetAsBCD(double v) { Set(ftBCD, v); }
  bool AsBoolean() const { return value_.AsBoolean(); }
  void SetAsBoolean(bool v) { Set(ftBoolean, v); }
  double AsDateTime() const { return value_.AsFloat(); }
  void SetAsDate(double v) { Set(ftDate, Variant::FromDateTime(v)); }
  void SetAsTime(double v) { Set(ftTime, Variant::FromDateTime(v)); }
  void SetAsDateTime(double v) { Set(ftDateTime, Variant::FromDateTime(v)); }
  void SetAsMemo(const AnsiString& v) { Set(ftMemo, v); }
  void SetAsBlob(const AnsiString& v) { Set(ftBlob, v); }

  // Takes the field's name, type and value.
  void AssignField(TField* field);
  // Takes the field's type and the given value.
  void AssignFieldValue(TField* field, const Variant& value);

  // The native size of DataType (text: the value's length + 1).
  int GetDataSize() const;
  // Reads a native value of DataType (nullptr: Null).
  void SetData(const void* buffer);
  // Writes the native value; buffer must hold GetDataSize() bytes.
  void GetData(void* buffer) const;

 private:
  void Set(TFieldType type, const Variant& v);

  AnsiString name_;
  TFieldType dataType_ = ftUnknown;
  TParamType paramType_ = ptUnknown;
  Variant value_;
  bool bound_ = false;
};

class TParams {
 public:
  TParam& CreateParam(TFieldType type, const AnsiString& name, TParamType paramType);
  int Count() const { return static_cast<int>(params_.size()); }
  TParam& Items(int index) { return *params_.at(index); }
  // Names compare without regard to case.
  TParam* FindParam(const AnsiString& name) const;
  // Raises "Parameter '%s' not found".
  TParam& ParamByName(const AnsiString& name) const;
  void Clear() { params_.clear(); }
  // Copies the values (and types) of same-named parameters of source.
  void AssignValues(const TParams& source);

 private:
  std::vector<std::unique_ptr<TParam>> params_;
};
