#include "recordmgr/BtrDictionaryTables.h"

#include <algorithm>
#include <cstring>

#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/DictionaryFieldRecord.h"
#include "recordmgr/DictionaryFieldType.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/ShortStringUtils.h"
#include "recordmgr/TableDescription.h"
#include "recordmgr/TblResReader.h"

namespace {

constexpr int8_t kTableIdKey = 1;  // FIELD.DDF
constexpr uint16_t kFieldExtKeyLength = 6;
constexpr size_t kFieldExtTypeAt = 6;

// The types FIELDEXT.DDF may refine: string, integer, float, decimal and unsigned binary.
bool refinable(uint8_t type) { return type == 0 || type == 1 || type == 2 || type == 5 || type == 14; }

}  // namespace

AnsiString DictionaryFileName(const AnsiString& directory, const char* file) {
  return AddTrailingBackslash(directory) + file + OwnerOptionKey + DdfOwnerName;
}

AnsiString DictionaryLocationPath(const AnsiString& directory, const AnsiString& location) {
  if (IsPathName(location.c_str(), false)) return location;
  return AddTrailingBackslash(directory) + location;
}

TBtrTblListTable::TBtrTblListTable(TBapiListItem* database, const uint8_t* clientId, bool extended,
                                   bool includeDictionaryFiles, const AnsiString& directory, TKorvoCollection* list)
    : TBtrTable(database, 0, ReadOnlyMode, "", DictionaryFileName(directory, DdfFileName).c_str(), list, clientId),
      extended_(extended),
      includeDictionaryFiles_(includeDictionaryFiles),
      directory_(directory) {}

void TBtrTblListTable::DoOpen() {
  TBtrTable::DoOpen();
  SetPhysicalName(AddTrailingBackslash(directory_) + DdfFileName);
  Activate();
}

uint16_t TBtrTblListTable::GetRecordSize() {
  return extended_ ? sizeof(ExtendedTableDescription) : sizeof(TableDescription);
}

void TBtrTblListTable::GetNextRecord(uint16_t, void* record, void*) {
  CheckParam(record);
  DictionaryTableRecord entry{};
  do {
    if (started_)
      Btr().GetNext();
    else
      Btr().GetFirst();
    started_ = true;
    std::memcpy(&entry, Btr().DataBuffer, std::min<size_t>(sizeof entry, Btr().BufferSize));
  } while (!includeDictionaryFiles_ && (entry.Flags & DictionaryTableRecord::DictionaryFile));
  state_ = csOnRecord;

  ExtendedTableDescription description{};
  CopyTextZ(description.Base.Name, UnpaddedText(entry.Name, sizeof entry.Name), TableDescription::NameSize - 1);
  const AnsiString location = UnpaddedText(entry.Location, sizeof entry.Location);
  CopyTextZ(description.Base.FileName, location, TableDescription::NameSize - 1);
  if (extended_) {
    TWinBtr file(ClientId());
    try {
      file.Open(DictionaryLocationPath(directory_, location).c_str(), nullptr, static_cast<uint8_t>(ReadOnlyOpen));
      description.RecordSize = file.BufferSize;
    } catch (const EBtrieveEngineError&) {
      // A table whose file cannot be opened is listed without its record size.
    }
  }
  std::memcpy(record, &description, GetRecordSize());
}

TBtrFieldListTable::TBtrFieldListTable(TBapiListItem* database, const uint8_t* clientId, uint16_t tableId,
                                       const AnsiString& directory, TKorvoCollection* list)
    : TBtrTable(database, 0, ReadOnlyMode, "", DictionaryFileName(directory, DdfFieldName).c_str(), list, clientId),
      tableId_(tableId),
      directory_(directory) {}

TBtrFieldListTable::~TBtrFieldListTable() { delete extensions_; }

void TBtrFieldListTable::DoOpen() {
  TBtrTable::DoOpen();
  SetPhysicalName(AddTrailingBackslash(directory_) + DdfFieldName);
  Activate();
  auto* extensions = new TWinBtr(ClientId());
  try {
    extensions->Open((AddTrailingBackslash(directory_) + DdfFieldExtName).c_str(), DdfOwnerName,
                     static_cast<uint8_t>(ReadOnlyOpen));
    extensions_ = extensions;
  } catch (const EBtrieveEngineError&) {
    delete extensions;  // no refinements: the types stay as FIELD.DDF has them
  }
}

uint8_t TBtrFieldListTable::refinedType(uint16_t fieldId, uint8_t type) {
  if (!extensions_ || !refinable(type)) return type;
  uint8_t key[kFieldExtKeyLength] = {};
  std::memcpy(key, &tableId_, 2);
  std::memcpy(key + 2, &fieldId, 2);
  try {
    extensions_->GetByKey(BtrieveOperationCodes::GetEqual, key, kFieldExtKeyLength, 0);
  } catch (const EKorvoEngineError&) {
    return type;
  }
  return extensions_->BufferSize > kFieldExtTypeAt ? extensions_->DataBuffer[kFieldExtTypeAt] : type;
}

void TBtrFieldListTable::GetNextRecord(uint16_t, void* record, void*) {
  CheckParam(record);
  if (ended_) RaiseEngineEOF();
  DictionaryFieldRecord field{};
  do {
    try {
      if (started_) {
        Btr().GetNext();
      } else {
        started_ = true;
        Btr().GetByKey(BtrieveOperationCodes::GetEqual, &tableId_, sizeof tableId_, kTableIdKey);
      }
    } catch (const EKorvoEngineError&) {
      ended_ = true;  // no field of the table, or past the last record
      RaiseEngineEOF();
    }
    std::memcpy(&field, Btr().DataBuffer, std::min<size_t>(sizeof field, Btr().BufferSize));
    if (field.TableId != tableId_) {
      ended_ = true;
      RaiseEngineEOF();
    }
  } while (field.Size == 0);
  state_ = csOnRecord;
  field.DataType = refinedType(field.FieldId, field.DataType);
  FieldDescriptor descriptor;
  MapDictionaryType(field, ++number_, descriptor);
  descriptor.LocalType = field.DataType;
  descriptor.LocalSize = field.Size;
  std::memcpy(record, &descriptor, sizeof descriptor);
}

void TBtrFieldListTable::GetExactRecordCount(uint32_t& count) {
  count = 0;
  FieldDescriptor descriptor;
  try {
    for (;;) {
      GetNextRecord(0, &descriptor, nullptr);
      ++count;
    }
  } catch (const EKorvoEOFError&) {
  }
}

TResFieldListTable::TResFieldListTable(TBapiListItem* database, const char* tableName, TKorvoCollection* list)
    : TBtrBaseTable(database, 0, 1, "", tableName, list, nullptr) {}

void TResFieldListTable::DoOpen() {
  TTblResReader reader(this);
  if (!HasLayoutResource() || !reader.Read(LayoutName()) || FieldCache()->Count() == 0)
    RaiseEngineErrorText(DBIERR_NOSUCHTABLE, LayoutName());
  Activate();
}

void TResFieldListTable::GetNextRecord(uint16_t, void* record, void*) {
  CheckParam(record);
  if (next_ >= FieldCache()->Count()) RaiseEngineEOF();
  TFieldCacheItem* item = FieldCache()->Item(next_++);
  FieldDescriptor descriptor = item->Descriptor();
  descriptor.LocalSize = item->LocalSize();
  std::memcpy(record, &descriptor, sizeof descriptor);
  state_ = csOnRecord;
}
