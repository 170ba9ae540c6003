#include "recordmgr/BtrBaseTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "recordmgr/DictionaryFieldType.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/FieldConverters.h"
#include "recordmgr/ValueOrder.h"

namespace {

// The translation table of a collating sequence follows its signature byte and 8-byte name.
constexpr size_t kCollationTableAt = 9;

// Stored types (the record manager's numbering) whose bytes do not sort as their values.
enum class ValueForm { Bytes, Number, Day };

ValueForm valueFormOf(uint16_t storedType, uint16_t size) {
  switch (storedType) {
    case 2: return size == 4 ? ValueForm::Number : ValueForm::Bytes;  // 8-byte floats compare as doubles already
    case 5:
    case 6:
    case 8:
    case 9:
    case 17:
    case 18:
    case 19: return ValueForm::Number;
    case 3:
    case 4: return ValueForm::Day;
    default: return ValueForm::Bytes;
  }
}

// The value of a stored field; false when the converters cannot read it.
template <typename T>
bool storedValue(const TFieldCacheItem& field, const void* stored, T& value) {
  try {
    bool blank = false;
    value = T{};
    GetStoredField(field.LocalType(), field.LocalSize(), static_cast<uint16_t>(field.FieldUnits2()), blank, &value,
                   stored, field.FieldLength());
    return true;
  } catch (const EKorvoEngineError&) {
    return false;
  }
}

// The bytes of a stored text translated through a collating table: a length-prefixed text keeps
// its length byte, a zero-terminated one stops at its zero.
std::vector<uint8_t> translated(const uint8_t* table, uint16_t storedType, const void* value, uint16_t length) {
  const auto* bytes = static_cast<const uint8_t*>(value);
  std::vector<uint8_t> result(bytes, bytes + length);
  size_t from = 0;
  size_t to = length;
  if (storedType == 10 && length > 0) {
    from = 1;
    to = std::min<size_t>(length, size_t{bytes[0]} + 1);
  } else if (storedType == 11) {
    to = strnlen(reinterpret_cast<const char*>(bytes), length);
  }
  for (size_t i = from; i < to; ++i) result[i] = table[bytes[i]];
  return result;
}

}  // namespace

TBtrBaseTable::TBtrBaseTable(TBapiListItem* database, uint32_t shareMode, uint32_t openMode, const char* creationText,
                             const char* tableName, TKorvoCollection* list, const uint8_t* clientId)
    : TBaseTable(database, shareMode, openMode, creationText, tableName, list), clientId_(clientId) {}

bool TBtrBaseTable::HasVariableTail() const {
  const int count = FieldCache()->Count();
  return count > 0 && FieldCache()->Item(count - 1)->FieldSubType() == MemoSubType;
}

void TBtrBaseTable::SetTableName(const char* name) {
  if (const std::optional<AnsiString> plain = options_.SetTableName(name)) TBaseTable::SetTableName(plain->c_str());
}

void TBtrBaseTable::NativeToLocal(uint16_t localType, uint16_t localSize, bool& blank, void* destination,
                                  const void* source, uint16_t fieldLength, int16_t units2) {
  GetStoredField(localType, localSize, static_cast<uint16_t>(units2), blank, destination, source, fieldLength);
}

void TBtrBaseTable::LocalToNative(uint16_t localType, uint16_t localSize, void* field, const void* source,
                                  uint16_t fieldLength, int16_t units2) {
  if (source == nullptr) {
    std::memset(field, 0, localSize);
    return;
  }
  PutStoredField(localType, localSize, static_cast<uint16_t>(units2), source, field, fieldLength);
}

int TBtrBaseTable::CompareField(uint16_t type, TFieldCacheItem* field, const void* a, const void* b,
                                bool caseInsensitive, uint16_t length) {
  const uint8_t* collation = CurrentCollation();
  if (collation && type == LogicalFieldType::Text && field) {
    const std::vector<uint8_t> textA = translated(collation + kCollationTableAt, field->LocalType(), a, length);
    const std::vector<uint8_t> textB = translated(collation + kCollationTableAt, field->LocalType(), b, length);
    return TBaseTable::CompareField(type, field, textA.data(), textB.data(), caseInsensitive, length);
  }
  if (field && length == field->LocalSize()) {
    switch (valueFormOf(field->LocalType(), length)) {
      case ValueForm::Number: {
        double valueA = 0;
        double valueB = 0;
        if (storedValue(*field, a, valueA) && storedValue(*field, b, valueB)) return CompareOrder(valueB, valueA);
        break;
      }
      case ValueForm::Day: {
        int32_t valueA = 0;
        int32_t valueB = 0;
        if (storedValue(*field, a, valueA) && storedValue(*field, b, valueB)) return CompareOrder(valueB, valueA);
        break;
      }
      case ValueForm::Bytes: break;
    }
  }
  return TBaseTable::CompareField(type, field, a, b, caseInsensitive, length);
}

void TBtrBaseTable::AddDictionaryField(const DictionaryFieldRecord& field, uint16_t fieldNumber) {
  FieldDescriptor descriptor;
  MapDictionaryType(field, fieldNumber, descriptor);
  new TFieldCacheItem(FieldCache(), field.Size, field.DataType, fieldNumber, descriptor);
}

TFieldCacheItem* TBtrBaseTable::memoField(void* record, uint16_t fieldNumber, uint16_t failure) {
  CheckParam(record);
  TFieldCacheItem* field = FieldCache()->GetFieldItem(fieldNumber);
  if (field->FieldSubType() != MemoSubType || field->FieldLength() == 0) RaiseEngineError(failure);
  field->SetRecord(record);
  return field;
}

void TBtrBaseTable::OpenBlob(void* record, uint16_t fieldNumber, uint32_t) {
  memoField(record, fieldNumber, DBIERR_NOTABLOB);
}

void TBtrBaseTable::GetBlobSize(void* record, uint16_t fieldNumber, uint32_t& size) {
  TFieldCacheItem* field = memoField(record, fieldNumber, DBIERR_INVALIDPARAM);
  size = static_cast<uint32_t>(strnlen(reinterpret_cast<const char*>(field->FieldData()), field->FieldLength() - 1u));
}

void TBtrBaseTable::GetBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, void* destination,
                            uint32_t& delivered) {
  TFieldCacheItem* field = memoField(record, fieldNumber, DBIERR_INVALIDPARAM);
  delivered = 0;
  if (offset >= field->FieldLength()) RaiseEngineError(DBIERR_INVALIDBLOBOFFSET);
  uint32_t size = 0;
  GetBlobSize(record, fieldNumber, size);
  const uint32_t available = offset < size ? size - offset : 0;
  delivered = std::min(length, available);
  if (delivered > 0) std::memcpy(CheckParam(destination), field->FieldData() + offset, delivered);
  if (delivered < length) RaiseEngineError(DBIERR_ENDOFBLOB);
}

void TBtrBaseTable::PutBlob(void* record, uint16_t fieldNumber, uint32_t offset, uint32_t length, const void* source) {
  TFieldCacheItem* field = memoField(record, fieldNumber, DBIERR_INVALIDPARAM);
  const uint32_t room = field->FieldLength() - 1u;  // one byte stays for the terminating zero
  if (offset > room) RaiseEngineError(DBIERR_INVALIDBLOBOFFSET);
  const uint32_t written = std::min(length, room - offset);
  uint8_t* text = field->FieldData() + offset;
  if (source)
    std::memcpy(text, source, written);
  else
    std::memset(text, 0, written);
  text[written] = 0;
  UpdateTailLength(record, field, offset + written + (written > 0 ? 1 : 0));
}

uint16_t TBtrBaseTable::TailDataLength(void* record) {
  TFieldCacheItem* memo = FieldCache()->Item(FieldCache()->Count() - 1);
  uint32_t size = 0;
  GetBlobSize(record, memo->FieldNumber(), size);
  // The text goes with its terminating zero; an empty one takes no byte.
  return static_cast<uint16_t>(GetRecordSize() - memo->FieldLength() + size + (size > 0 ? 1 : 0));
}
