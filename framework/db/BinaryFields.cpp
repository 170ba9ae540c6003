#include "framework/db/BinaryFields.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/base/FormatText.h"
#include "framework/base/ValueBytes.h"
#include "framework/db/DatabaseError.h"

TBinaryField::TBinaryField(TComponent* owner) : TField(owner) {}

TBytesField::TBytesField(TComponent* owner) : TBinaryField(owner) {
  SetDataType(ftBytes);
  SetSize(16);
}

TVarBytesField::TVarBytesField(TComponent* owner) : TBinaryField(owner) {
  SetDataType(ftVarBytes);
  SetSize(16);
}

void TBinaryField::CheckSize(int size) const {
  if (size < 1 || size > 65535) DatabaseError(Format("Invalid field size %d", {size}), this);
}

AnsiString TBinaryField::AsString() const {
  std::vector<char> data(DataSize());
  if (!GetData(data.data())) return {};
  return FromNative(data.data());
}

void TBinaryField::SetAsString(const AnsiString& v) {
  std::vector<char> data(DataSize(), '\0');
  ToNative(v, data.data());
  SetData(data.data());
}

Variant TBinaryField::AsVariant() const {
  if (IsNull()) return {};
  return AsString();
}

AnsiString TBinaryField::GetText(bool displayText) const {
  return DataType() == ftBytes ? "(Bytes)" : "(VarBytes)";
}

AnsiString TBytesField::FromNative(const char* data) const {
  return AnsiString(data, Size());
}

void TBytesField::ToNative(const AnsiString& bytes, char* data) const {
  std::memcpy(data, bytes.data(), std::min<size_t>(bytes.size(), Size()));
}

AnsiString TVarBytesField::FromNative(const char* data) const {
  auto length = FromBytes<uint16_t>(data);
  return AnsiString(data + 2, std::min<int>(length, Size()));
}

void TVarBytesField::ToNative(const AnsiString& bytes, char* data) const {
  uint16_t length = static_cast<uint16_t>(std::min<size_t>(bytes.size(), Size()));
  ToBytes(data, length);
  std::memcpy(data + 2, bytes.data(), length);
}
