#include "recordmgr/tests/CountingCursor.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "recordmgr/EngineError.h"
#include "recordmgr/ShortStringUtils.h"

namespace cursortest {
namespace {

constexpr uint16_t kFieldStatusSize = 8;

FieldDescriptor fieldOf(uint16_t number, bool fieldStatus) {
  FieldDescriptor field{};
  field.FieldNumber = number;
  const bool id = number == 1;
  std::strcpy(field.FieldName, id ? "Id" : "Name");
  field.FieldType = id ? LogicalFieldType::Int32 : LogicalFieldType::Text;
  field.Offset = id ? 0 : 4;
  field.FieldLength = id ? 4 : 12;
  field.LocalType = field.FieldType;
  field.LocalSize = field.FieldLength;
  if (fieldStatus) field.NullOffset = static_cast<uint16_t>(RecordSize + kFieldStatusSize * (number - 1));
  return field;
}

}  // namespace

int32_t IdOf(const void* record) {
  int32_t id = 0;
  std::memcpy(&id, record, sizeof id);
  return id;
}

CountingCursor::CountingCursor(int recordCount, uint32_t shareMode, bool fieldStatus, uint32_t openMode)
    : CountingCursor(nullptr, nullptr, "COUNTING", recordCount, shareMode, openMode, "") {
  FieldStatus = fieldStatus;
}

CountingCursor::CountingCursor(TBapiListItem* database, TKorvoCollection* list, const char* tableName,
                               int recordCount, uint32_t shareMode, uint32_t openMode, const char* creationText)
    : TBaseTable(database, shareMode, openMode, creationText, tableName, list), FieldStatus(false) {
  recordSize_ = RecordSize;
  for (int i = 0; i < recordCount; ++i) {
    std::vector<uint8_t> record(RecordSize);
    const int32_t id = 10 * (i + 1);
    std::memcpy(record.data(), &id, sizeof id);
    const AnsiString name = "Name" + std::to_string(i + 1);
    std::memcpy(record.data() + 4, name.data(), std::min<size_t>(name.size(), 11));
    Records.push_back(record);
  }
}

void CountingCursor::deliver(void* record) {
  if (record) std::memcpy(record, Records[Position].data(), RecordSize);
}

void CountingCursor::DoOpen() { FieldCache()->GetFieldItem(2); }

void CountingCursor::MoveFirst() {
  LogCall("first");
  if (Records.empty()) RaiseEngineEOF();
  Position = 0;
  deliver(GetRecordBuffer());
}

void CountingCursor::MoveLast() {
  LogCall("last");
  if (Records.empty()) RaiseEngineEOF();
  Position = static_cast<int>(Records.size()) - 1;
  deliver(GetRecordBuffer());
}

void CountingCursor::MoveNext() {
  LogCall("next");
  if (Position + 1 >= static_cast<int>(Records.size())) RaiseEngineEOF();
  ++Position;
  deliver(GetRecordBuffer());
}

void CountingCursor::MovePrior() {
  LogCall("prior");
  if (Position <= 0) RaiseEngineBOF();
  --Position;
  deliver(GetRecordBuffer());
}

void CountingCursor::GetBookmark(void* bookmark) {
  if (Position < 0) RaiseEngineError(DBIERR_NOCURRREC);
  std::memset(bookmark, 0, GetBookmarkSize());
  const int32_t id = IdOf(Records[Position].data());
  std::memcpy(bookmark, &id, sizeof id);
}

void CountingCursor::SetToBookmark(const void* bookmark) {
  for (size_t i = 0; i < Records.size(); ++i)
    if (IdOf(Records[i].data()) == IdOf(bookmark)) {
      Position = static_cast<int>(i);
      state_ = csOnRecord;
      return;
    }
  RaiseEngineError(DBIERR_RECDELETED);
}

void CountingCursor::ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) {
  LogCall(lock ? "read+lock" : "read");
  SetToBookmark(bookmark);
  deliver(record);
}

void CountingCursor::SearchKey(uint16_t condition, bool directKey, void* record, const void* key, uint16_t length,
                               uint16_t fieldCount) {
  LogCall("search");
  LastSearchCondition = condition;
  const int32_t wanted = IdOf(key);
  for (size_t i = 0; i < Records.size(); ++i) {
    const int32_t id = IdOf(Records[i].data());
    const bool found = condition == scEqual ? id == wanted : condition == scAfter ? id > wanted : id >= wanted;
    if (!found) continue;
    Position = static_cast<int>(i);
    state_ = csOnRecord;
    deliver(record);
    return;
  }
  RaiseEngineEOF();
}

void CountingCursor::InsertRecord(uint16_t lock, void* record) {
  LogCall("insert");
  const auto* bytes = static_cast<const uint8_t*>(record);
  Records.emplace_back(bytes, bytes + RecordSize);
}

void CountingCursor::DeleteRecord(void* record) {
  LogCall("delete");
  if (Position < 0 || Position >= static_cast<int>(Records.size())) RaiseEngineError(DBIERR_NOCURRREC);
  Records.erase(Records.begin() + Position);
  --Position;
}

void CountingCursor::ReleaseLocks() { LogCall("unlock"); }

void CountingCursor::Activate() {
  Calls.push_back("open:" + std::to_string(ShareMode()));
  TBaseTable::Activate();
}

void CountingCursor::Deactivate() {
  Calls.push_back("close");
  TBaseTable::Deactivate();
  Position = -1;
}

void CountingCursor::DescribeField(uint16_t fieldNumber, uint16_t, uint16_t& localSize, uint16_t& localType,
                                   FieldDescriptor& descriptor) {
  if (fieldNumber < 1 || fieldNumber > 2) RaiseEngineError(DBIERR_INVALIDRECSTRUCT);
  descriptor = fieldOf(fieldNumber, FieldStatus);
  localSize = descriptor.LocalSize;
  localType = descriptor.LocalType;
}

// A stored value of zeros means "no value".
void CountingCursor::NativeToLocal(uint16_t, uint16_t, bool& blank, void* destination, const void* source,
                                   uint16_t fieldLength, int16_t) {
  Calls.push_back("convert");
  std::memcpy(destination, source, fieldLength);
  blank = IsAllZero(source, fieldLength);
}

void CountingCursor::LocalToNative(uint16_t, uint16_t, void* field, const void* source, uint16_t fieldLength,
                                   int16_t) {
  if (source)
    std::memcpy(field, source, fieldLength);
  else
    std::memset(field, 0, fieldLength);
}

void CountingCursor::GetIndexDesc(uint16_t number, IndexDescriptor& descriptor) {
  std::memset(&descriptor, 0, sizeof descriptor);
  if (number >= Indexes.size()) RaiseEngineError(DBIERR_INVALIDHNDL);
  std::strcpy(descriptor.Name, Indexes[number].name);
  descriptor.KeyFieldCount = static_cast<uint16_t>(Indexes[number].keyFields.size());
  std::copy(Indexes[number].keyFields.begin(), Indexes[number].keyFields.end(), descriptor.KeyFields);
}

void CountingCursor::GetCursorProps(CursorProperties& properties) {
  TBaseTable::GetCursorProps(properties);
  properties.IndexCount = static_cast<uint16_t>(Indexes.size());
}

namespace {

class CountingDriver : public LoggingCursorDriver<CountingCursor> {
 public:
  explicit CountingDriver(int recordCount) {
    cursor_.reset(CreateCursor<CountingCursor>(recordCount, 0u));
    cursor_->Activate();
  }
};

}  // namespace

CursorDriverFactory CountingDriverFactory() {
  return {"Counting", [](int recordCount) { return std::make_unique<CountingDriver>(recordCount); }};
}

}  // namespace cursortest
