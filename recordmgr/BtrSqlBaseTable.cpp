#include "recordmgr/BtrSqlBaseTable.h"

#include <algorithm>
#include <cstring>

#include "framework/base/TextCase.h"
#include "recordmgr/DictionaryFieldType.h"
#include "recordmgr/EngineCodes.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/EngineOperationTexts.h"
#include "recordmgr/LittleEndianBytes.h"
#include "recordmgr/ScalableSqlError.h"
#include "recordmgr/SqlInterface.h"

namespace {

constexpr uint16_t kRowLengthSize = 2;
constexpr uint16_t kSpareBytes = 4;
constexpr int16_t kNameBufferSize = 256;
constexpr int16_t kPositionBlockOption = 5;
constexpr int16_t kToPositionOption = 256;
constexpr int16_t kLockedRead = 1024;
constexpr const char* kWholeRow = "*.*";
constexpr uint8_t kIntegerType = 1;
constexpr uint8_t kFloatType = 2;

// One column as the interface describes it.
struct Column {
  int16_t type = 0;
  int16_t size = 0;
  int16_t decimals = 0;
  int16_t nameLength = kNameBufferSize;
  char name[kNameBufferSize] = {};
};

Column describe(int16_t cursor, int16_t position) {
  Column column;
  int16_t displaySize = 0;
  CheckSqlStatus(RequiredSqlEntry(SqlCalls().Describe)(cursor, position, &column.type, &column.size,
                                                       &column.decimals, &displaySize, &column.nameLength,
                                                       column.name));
  column.name[kNameBufferSize - 1] = '\0';
  return column;
}

// A computed column has neither type nor size; what it computes decides what it reads as.
void typeComputedColumn(Column& column) {
  if (column.type != 0 || column.size != 0) return;
  const AnsiString name = UpperCase(column.name);
  if (name.find("COUNT(") != AnsiString::npos) {
    column.type = kIntegerType;
    column.size = 4;
  } else if ((name.find("SUM(") != AnsiString::npos || name.find("AVG(") != AnsiString::npos) &&
             column.decimals == 0) {
    column.type = kFloatType;
    column.size = 8;
  }
}

// -109 with a row delivered is success. Without one it is the end of the rows, raised as end of
// file: the engine's own loops (counting, seeking, filtering) end at a boundary error and would
// take the interface's status for a failure.
void checkFetchStatus(int16_t status, int32_t count) {
  if (status == TBtrSqlBaseTable::NoMoreRows) {
    if (count > 0) return;
    RaiseEngineEOF();
  }
  CheckSqlStatus(status);
}

}  // namespace

TBtrSqlBaseTable::TBtrSqlBaseTable(TBapiListItem* statement, int16_t cursorId, const uint8_t* clientId)
    : TBtrBaseTable(statement, 0, 0, nullptr, nullptr, nullptr, clientId), cursorId_(cursorId) {}

void TBtrSqlBaseTable::GetProperty(uint32_t property, void* buffer, uint16_t& length, uint16_t bufferSize) {
  length = 0;
  switch (property & 0xFFFF) {
    case 0: return AnswerProperty(buffer, bufferSize, &propertyValue_, sizeof propertyValue_, length);
    case 1: return AnswerProperty(buffer, bufferSize, &cursorId_, sizeof cursorId_, length);
    default: TBtrBaseTable::GetProperty(property, buffer, length, bufferSize);
  }
}

void TBtrSqlBaseTable::SetProperty(uint32_t property, uint32_t value) {
  if ((property & 0xFFFF) == 0)
    propertyValue_ = static_cast<uint8_t>(value);
  else
    TBtrBaseTable::SetProperty(property, value);
}

void TBtrSqlBaseTable::CheckProperty(uint32_t property, bool flag) {
  if ((property & 0xFFFF) == 1) {
    if (flag) RaiseNotSupported(EngineOperationText::Property);
    return;
  }
  TBtrBaseTable::CheckProperty(property, flag);
}

void* TBtrSqlBaseTable::GetRecordBuffer() {
  if (recordBuffer_ != nullptr) return recordBuffer_;
  ownRecord_.assign(GetRecordSize(), 0);
  return ownRecord_.data();
}

uint16_t TBtrSqlBaseTable::GetRecordSize() {
  if (recordSize_ == 0) {
    CursorProperties properties;
    GetCursorProps(properties);
  }
  return recordSize_;
}

void TBtrSqlBaseTable::Fetch(int16_t option) {
  uint16_t length = GetRecordSize();
  int32_t count = 1;
  const int16_t status =
      RequiredSqlEntry(SqlCalls().Fetch)(cursorId_, option, &length, GetRecordBuffer(), &count, 0, 0);
  checkFetchStatus(status, count);
}

void TBtrSqlBaseTable::MovePrior() {
  try {
    Fetch(3);
  } catch (const EKorvoBoundryError&) {
    RaiseEngineBOF();
  }
}

void TBtrSqlBaseTable::PutFieldValue(TFieldCacheItem* field, void* record, const void* source) {
  const bool memoTail = HasVariableTail() && source != nullptr && field->FieldSubType() == MemoSubType &&
                        field->FieldNumber() == FieldCache()->Count();
  if (!memoTail) return TBtrBaseTable::PutFieldValue(field, record, source);
  const auto* text = static_cast<const uint8_t*>(source);
  PutBlob(record, field->FieldNumber(), 0, text[0], text + 1);
}

void TBtrSqlBaseTable::UpdateTailLength(void* record, TFieldCacheItem* field, uint32_t end) {
  WriteU16(record, static_cast<uint16_t>(field->Descriptor().Offset + end));
}

void TBtrSqlBaseTable::Activate() { CheckSqlStatus(RequiredSqlEntry(SqlCalls().Exec)(cursorId_)); }

void TBtrSqlBaseTable::DescribeField(uint16_t fieldNumber, uint16_t, uint16_t& localSize, uint16_t& localType,
                                     FieldDescriptor& descriptor) {
  // Each column starts where the one before it ends, a computed one at the size it is read as:
  // a count that took no bytes would share its bytes with the column after it.
  uint16_t offset = kRowLengthSize;
  Column column;
  for (uint16_t position = 1; position <= fieldNumber; ++position) {
    column = describe(cursorId_, static_cast<int16_t>(position));
    if (position == fieldNumber) break;
    typeComputedColumn(column);
    offset = static_cast<uint16_t>(offset + column.size);
  }
  if (column.size + column.nameLength <= 0) RaiseEngineError(DBIERR_INVALIDPARAM);
  typeComputedColumn(column);
  std::replace(column.name, column.name + std::strlen(column.name), '^', '_');

  DictionaryFieldRecord field{};
  std::memcpy(field.Name, column.name, std::min(std::strlen(column.name), DictionaryFieldRecord::NameSize));
  field.DataType = static_cast<uint8_t>(column.type);
  field.Offset = offset;
  field.Size = static_cast<uint16_t>(column.size);
  field.Decimals = static_cast<uint8_t>(column.decimals);
  MapDictionaryType(field, fieldNumber, descriptor);
  std::memset(descriptor.FieldName, 0, sizeof descriptor.FieldName);
  std::memcpy(descriptor.FieldName, column.name, std::min(std::strlen(column.name), FieldDescriptor::NameSize - 1));
  localType = static_cast<uint16_t>(column.type);
  localSize = static_cast<uint16_t>(column.size);
}

void TBtrSqlBaseTable::GetCursorProps(CursorProperties& properties) {
  uint32_t size = kRowLengthSize;
  uint16_t columns = 0;
  for (int number = 1;; ++number) {
    try {
      size += FieldCache()->GetFieldItem(number)->FieldLength();
    } catch (const EScalableSQLEngineError& error) {
      if (error.BtrieveStatus() != NoSuchColumn) throw;
      break;
    }
    ++columns;
  }
  size += kSpareBytes;
  recordSize_ = static_cast<uint16_t>(size);
  TBtrBaseTable::GetCursorProps(properties);
  properties.FieldCount = columns;
  properties.RecordSize = recordSize_;
  properties.RecordBufferSize = recordSize_;
}

void TBtrSqlBaseTable::GetBookmark(void* bookmark) {
  CheckParam(bookmark);
  std::memset(bookmark, 0, SqlBookmarkSize);
  uint16_t length = SqlBookmarkSize;
  int32_t count = 1;
  int32_t second = 0;
  CheckSqlStatus(
      RequiredSqlEntry(SqlCalls().RecordFetch)(cursorId_, &length, kPositionBlockOption, &count, &second, bookmark));
  if (count == 0) RaiseEngineError(DBIERR_NOCURRREC);
}

void TBtrSqlBaseTable::SetToBookmark(const void* bookmark) {
  CheckParam(bookmark);
  const size_t blockSize = ReadU16(bookmark) + 2u;
  std::vector<uint8_t> scratch(3u * std::max<size_t>(GetRecordSize(), SqlBookmarkSize), 0);
  std::memcpy(scratch.data(), bookmark, std::min(blockSize, scratch.size()));
  uint16_t length = static_cast<uint16_t>(scratch.size());
  int32_t count = 1;
  int32_t second = -1;
  CheckSqlStatus(RequiredSqlEntry(SqlCalls().RecordFetch)(cursorId_, &length, kToPositionOption, &count, &second,
                                                          scratch.data()));
  if (count == 0) RaiseEngineError(DBIERR_NOCURRREC);
  length = static_cast<uint16_t>(scratch.size());
  count = 1;
  checkFetchStatus(RequiredSqlEntry(SqlCalls().Fetch)(cursorId_, 0, &length, scratch.data(), &count, 0, 0), count);
  state_ = csOnRecord;
}

// The position block goes in a buffer that holds it whole: a row may be shorter than the block,
// and a block cut to the row would name another row or none.
void TBtrSqlBaseTable::ReadAtBookmark(const void* bookmark, uint16_t lock, void* record) {
  CheckParam(bookmark);
  CheckParam(record);
  const size_t blockSize = ReadU16(bookmark) + 2u;
  const uint16_t recordSize = GetRecordSize();
  std::vector<uint8_t> buffer(std::max<size_t>(recordSize, std::min<size_t>(blockSize, SqlBookmarkSize)), 0);
  std::memcpy(buffer.data(), bookmark, std::min(blockSize, buffer.size()));
  auto length = static_cast<uint16_t>(buffer.size());
  int32_t count = 1;
  int32_t second = -1;
  const auto option = static_cast<int16_t>(kToPositionOption + (lock == 1 ? kLockedRead : 0));
  CheckSqlStatus(RequiredSqlEntry(SqlCalls().RecordFetch)(cursorId_, &length, option, &count, &second, buffer.data()));
  if (count == 0) RaiseEngineError(DBIERR_NOCURRREC);
  std::memcpy(record, buffer.data(), recordSize);
  state_ = csOnRecord;
}

void TBtrSqlBaseTable::InsertRecord(uint16_t, void* record) {
  CheckParam(record);
  if (ReadU16(record) == 0) {
    const uint16_t length = HasVariableTail()
                                ? FieldCache()->Item(FieldCache()->Count() - 1)->Descriptor().Offset
                                : GetRecordSize();
    WriteU16(record, length);
  }
  int32_t count = 1;
  CheckSqlStatus(RequiredSqlEntry(SqlCalls().Insert)(cursorId_, 1, kWholeRow, &count, record));
  SetRecordBuffer(record);
  Fetch(0);
}

void TBtrSqlBaseTable::ModifyRecord(void* record, bool) {
  CheckParam(record);
  int32_t count = 1;
  CheckSqlStatus(RequiredSqlEntry(SqlCalls().Update)(cursorId_, 1, kWholeRow, &count, record));
  SetRecordBuffer(record);
  Fetch(0);
}

void TBtrSqlBaseTable::DeleteRecord(void*) {
  int32_t count = 1;
  CheckSqlStatus(RequiredSqlEntry(SqlCalls().Remove)(cursorId_, 1, kWholeRow, &count));
  state_ = csBetween;
}

void TBtrSqlBaseTable::ReadBlock(uint32_t& count, void* buffer) {
  const uint32_t bytes = count * GetRecordSize();
  if (bytes > UINT16_MAX) RaiseEngineError(DBIERR_INVALIDPARAM);
  uint16_t length = static_cast<uint16_t>(bytes);
  auto delivered = static_cast<int32_t>(count);
  const int16_t status =
      RequiredSqlEntry(SqlCalls().Fetch)(cursorId_, 2, &length, CheckParam(buffer), &delivered, 0, 0);
  count = delivered > 0 ? static_cast<uint32_t>(delivered) : 0;
  // Fewer rows than asked: the rows ended.
  if (status == NoMoreRows) RaiseEngineEOF();
  CheckSqlStatus(status);
}

void TBtrSqlBaseTable::WriteBlock(uint32_t& count, void* buffer) {
  auto written = static_cast<int32_t>(count);
  const int16_t status = RequiredSqlEntry(SqlCalls().Insert)(cursorId_, 1, kWholeRow, &written, CheckParam(buffer));
  count = written > 0 ? static_cast<uint32_t>(written) : 0;
  CheckSqlStatus(status);
}
