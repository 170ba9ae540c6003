#include "recordmgr/SSQLSqlStmt.h"

#include <cstring>

#include "framework/base/DateFormat.h"
#include "framework/base/FloatText.h"
#include "framework/base/IntegerText.h"
#include "recordmgr/BtrSqlAggTable.h"
#include "recordmgr/BtrSqlBaseTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/ExtendedFloat.h"
#include "recordmgr/SqlInterface.h"
#include "recordmgr/SqlStatementText.h"
#include "recordmgr/StoredDateTime.h"

namespace {

template <typename T>
T valueAt(const uint8_t* value) {
  T result;
  std::memcpy(&result, value, sizeof result);
  return result;
}

// The field's text up to its terminating zero or its length.
AnsiString textAt(const uint8_t* value, uint16_t length) {
  return AnsiString(reinterpret_cast<const char*>(value), strnlen(reinterpret_cast<const char*>(value), length));
}

}  // namespace

AnsiString SqlParameterText(const FieldDescriptor& descriptor, const uint8_t* value) {
  switch (descriptor.FieldType) {
    case LogicalFieldType::Text: return textAt(value, descriptor.FieldLength);
    case LogicalFieldType::Date: return DateToStr(valueAt<int32_t>(value) - DayNumberOfFirstDateTime);
    case LogicalFieldType::Boolean: {
      const uint16_t size = descriptor.FieldLength ? descriptor.FieldLength : 2;
      for (uint16_t i = 0; i < size; ++i)
        if (value[i] != 0) return "TRUE";
      return "FALSE";
    }
    case LogicalFieldType::Int16: return IntToStr(valueAt<int16_t>(value));
    case LogicalFieldType::Int32: return IntToStr(valueAt<int32_t>(value));
    case LogicalFieldType::Float:
    case LogicalFieldType::Bcd: return FloatToStr(valueAt<double>(value));
    case LogicalFieldType::Float10: return FloatToStr(ReadExtendedFloat(value));
    case LogicalFieldType::Time: return TimeToStr(valueAt<int32_t>(value) / MSecsPerEngineDay);
    case LogicalFieldType::UInt16: return IntToStr(valueAt<uint16_t>(value));
    case LogicalFieldType::UInt32: return IntToStr(valueAt<uint32_t>(value));
    case 18:
    case 19: return IntToStr(valueAt<int64_t>(value));
    default: return {};
  }
}

TSSQLSqlStmt::TSSQLSqlStmt(TBapiListItem* database, uint16_t kind, const char* text, TKorvoCollection* list,
                           const uint8_t* clientId)
    : TSqlStmt(database, kind, nullptr, list), clientId_(clientId) {
  SetText(text);
  try {
    Prepare();
  } catch (...) {
    // Nobody can release a statement that was never made: its interface cursor goes here.
    try {
      Release();
    } catch (const EKorvoEngineError&) {
    }
    throw;
  }
}

void TSSQLSqlStmt::SetText(const char* text) {
  sent_.reset();
  if (text) sent_ = RewriteSqlText(text);
}

void TSSQLSqlStmt::Prepare() {
  Release();
  if (!sent_) return;
  CheckSqlStatus(RequiredSqlEntry(SqlCalls().Cursor)(&cursorId_));
  auto length = static_cast<uint16_t>(sent_->size());
  const int16_t status = RequiredSqlEntry(SqlCalls().Compile)(cursorId_, &length, sent_->c_str());
  if (status != UnresolvedVariables) CheckSqlStatus(status);
}

void TSSQLSqlStmt::Release() {
  if (cursorId_ == NoCursor) return;
  const int16_t status = RequiredSqlEntry(SqlCalls().Free)(cursorId_);
  CheckSqlStatus(status);
  cursorId_ = NoCursor;
}

// A cursor the interface no longer knows (it was reset meanwhile) must not stop the statement
// from going.
void TSSQLSqlStmt::BeforeDestruction() {
  try {
    Release();
  } catch (const EKorvoEngineError&) {
    cursorId_ = NoCursor;
  }
  TSqlStmt::BeforeDestruction();
}

void TSSQLSqlStmt::Bind(uint16_t count, const FieldDescriptor* descriptors, const void* record) {
  if (count == 0) return;
  if (cursorId_ == NoCursor) Prepare();
  const auto* bytes = static_cast<const uint8_t*>(record);
  for (uint16_t i = 0; i < count; ++i) {
    const FieldDescriptor& descriptor = descriptors[i];
    if (descriptor.FieldName[0] != '\0') continue;
    const AnsiString name = SqlParameterName(i);
    const AnsiString value = SqlParameterText(descriptor, bytes + descriptor.Offset);
    CheckSqlStatus(RequiredSqlEntry(SqlCalls().Subst)(cursorId_, 1, static_cast<int16_t>(name.size() + 1),
                                                      name.c_str(), static_cast<int16_t>(value.size() + 1),
                                                      value.c_str()));
  }
}

// With a result wanted, activating the result cursor is the one execution: running the statement
// before it as well would do an INSERT, UPDATE or DELETE twice.
void TSSQLSqlStmt::Execute(TBaseTable** result) {
  if (result) *result = nullptr;
  if (cursorId_ == NoCursor) Prepare();
  if (result == nullptr) return CheckSqlStatus(RequiredSqlEntry(SqlCalls().Exec)(cursorId_));
  TBtrSqlBaseTable* cursor = PropertyValue() != 0
                                 ? CreateCursor<TBtrSqlAggTable>(this, cursorId_, clientId_)
                                 : CreateCursor<TBtrSqlBaseTable>(this, cursorId_, clientId_);
  try {
    cursor->Activate();
  } catch (...) {
    delete cursor;
    throw;
  }
  *result = cursor;
}
