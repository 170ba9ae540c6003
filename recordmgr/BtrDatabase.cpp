#include "recordmgr/BtrDatabase.h"

#include <cstring>
#include <memory>
#include <vector>

#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "recordmgr/BtrDictionaryTables.h"
#include "recordmgr/BtrTable.h"
#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/BtrieveError.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/ShortStringUtils.h"
#include "recordmgr/TblResReader.h"

namespace {

constexpr int8_t kFieldTableKey = 1;  // FIELD.DDF: the table identifier
constexpr uint32_t kAbort = 2;
constexpr size_t kDirectorySize = 260;

// The file name of a path, after its last separator.
AnsiString fileNameOf(const AnsiString& path) {
  const size_t at = path.find_last_of("\\/:");
  return at == AnsiString::npos ? path : path.substr(at + 1);
}

// Deletes the records that a read finds, until a read or a delete fails.
template <typename Find>
void deleteWhile(TWinBtr& btr, Find find) {
  try {
    while (find()) btr.Delete();
  } catch (const EKorvoEngineError&) {
  }
}

}  // namespace

TBtrDatabase::TBtrDatabase(TBapiListItem* session, const char* databaseName, const DatabaseDescription* description,
                           TKorvoCollection* list, const uint8_t* clientId)
    : TBaseDatabase(session, nullptr, nullptr, 0, databaseName, 0, 0, description, list), clientId_(clientId) {}

AnsiString TBtrDatabase::Directory() const { return AddTrailingBackslash(Description().Path); }

const char* TBtrDatabase::GetDriverType() { return BtrieveDriverName; }

void TBtrDatabase::SetDirectory(const char* directory) {
  TWinBtr btr(clientId_);
  btr.SetDirectory(directory);
}

void TBtrDatabase::GetDirectory(uint32_t, char* destination) {
  TWinBtr btr(clientId_);
  btr.GetDirectory(CheckParam(destination), kDirectorySize);
}

void TBtrDatabase::openDictionary(TWinBtr& btr, const char* file, int8_t mode) {
  btr.Open((Directory() + file).c_str(), DdfOwnerName, static_cast<uint8_t>(mode));
}

bool TBtrDatabase::lookUpTable(const AnsiString& name, DictionaryTableRecord& entry) {
  TWinBtr files(clientId_);
  openDictionary(files, DdfFileName, TBtrTable::ReadOnlyOpen);
  const bool byFile = IsPathName(name.c_str(), true);
  const AnsiString wanted = byFile ? fileNameOf(name) : name.substr(0, DictionaryTableRecord::NameSize);
  try {
    for (files.GetFirst();; files.GetNext()) {
      std::memcpy(&entry, files.DataBuffer, std::min<size_t>(sizeof entry, files.BufferSize));
      const AnsiString candidate = byFile ? fileNameOf(UnpaddedText(entry.Location, sizeof entry.Location))
                                          : UnpaddedText(entry.Name, sizeof entry.Name);
      if (SameText(candidate, wanted)) return true;
    }
  } catch (const EKorvoEOFError&) {
  }
  return false;
}

void TBtrDatabase::loadFields(TBtrTable& table, uint16_t tableId) {
  for (int i = 0; i < CursorList()->Count(); ++i) {
    auto* other = dynamic_cast<TBtrTable*>(CursorList()->Items(i));
    if (!other || other == &table || other->FieldCache()->Count() == 0) continue;
    if (!SameText(other->GetTableName(), table.GetTableName())) continue;
    for (int f = 0; f < other->FieldCache()->Count(); ++f) {
      const TFieldCacheItem* item = other->FieldCache()->Item(f);
      new TFieldCacheItem(table.FieldCache(), item->LocalSize(), item->LocalType(), item->FieldNumber(),
                          item->Descriptor());
    }
    return;
  }
  std::unique_ptr<TBtrFieldListTable> fields(
      CreateCursor<TBtrFieldListTable>(this, clientId_, tableId, AnsiString(Description().Path)));
  FieldDescriptor descriptor;
  try {
    for (;;) {
      fields->GetNextRecord(0, &descriptor, nullptr);
      new TFieldCacheItem(table.FieldCache(), descriptor.LocalSize, descriptor.LocalType, descriptor.FieldNumber,
                          descriptor);
    }
  } catch (const EKorvoEOFError&) {
  }
}

// Any engine error closes the cursor again and passes on.
void TBtrDatabase::OpenTable(const char* tableName, const char*, const char* indexName, const char*, uint16_t,
                             uint32_t openMode, uint32_t shareMode, uint32_t, bool, const char*, TBaseTable*& cursor) {
  CheckParam(tableName);
  TBtrTable* table = CreateCursor<TBtrTable>(this, shareMode, openMode, "", tableName, CursorList(), clientId_);
  try {
    const AnsiString name = table->GetTableName();
    const bool looksLikeFile = IsPathName(name.c_str(), true);
    if (table->HasLayoutResource() && looksLikeFile) {
      table->SetPhysicalName(IsPathName(name.c_str(), false) ? name : Directory() + name);
      TTblResReader reader(table);
      table->SetHasLayoutResource(reader.Read(table->LayoutName()));
    } else {
      table->SetHasLayoutResource(false);
    }
    DictionaryTableRecord entry{};
    if (!table->HasLayoutResource()) {
      if (!lookUpTable(name, entry)) RaiseBtrieveErrorWithKey(TableNotInDictionary, tableName);
      table->SetPhysicalName(DictionaryLocationPath(Directory(), UnpaddedText(entry.Location, sizeof entry.Location)));
    }
    table->Activate();
    if (!table->HasLayoutResource()) loadFields(*table, entry.TableId);
    if (indexName && *indexName)
      table->SwitchToIndex(indexName, nullptr, 0, false);
    else
      table->DescribeCurrentKey();
  } catch (const EKorvoEngineError&) {
    delete table;
    throw;
  }
  cursor = table;
}

void TBtrDatabase::OpenTableList(bool extended, bool system, TBaseTable*& cursor, const char*) {
  cursor = CreateCursor<TBtrTblListTable>(this, clientId_, extended, system, AnsiString(Description().Path),
                                          CursorList());
}

void TBtrDatabase::OpenFieldList(const char* tableName, const char*, bool, TBaseTable*& cursor) {
  CheckParam(tableName);
  if (UpperCase(AnsiString(tableName)).find(ResOptionKey) != AnsiString::npos) {
    try {
      cursor = CreateCursor<TResFieldListTable>(this, tableName, CursorList());
      return;
    } catch (const EKorvoEngineError&) {
      // No such layout: the dictionary describes the table.
    }
  }
  const AnsiString name = AnsiString(tableName).substr(0, AnsiString(tableName).find(';'));
  DictionaryTableRecord entry{};
  if (!lookUpTable(name, entry)) RaiseBtrieveErrorWithKey(TableNotInDictionary, tableName);
  cursor = CreateCursor<TBtrFieldListTable>(this, clientId_, entry.TableId, AnsiString(Description().Path),
                                            CursorList());
}

DictionaryTableRecord TBtrDatabase::findEntryToChange(TWinBtr& btr, const char* name) {
  CheckParam(name);
  const AnsiString wanted = UpperCase(UnpaddedText(name, std::strlen(name)));
  std::vector<uint32_t> equal;
  std::vector<uint32_t> containing;
  DictionaryTableRecord entry{};
  try {
    for (btr.GetFirst();; btr.GetNext()) {
      std::memcpy(&entry, btr.DataBuffer, std::min<size_t>(sizeof entry, btr.BufferSize));
      const AnsiString candidate = UpperCase(UnpaddedText(entry.Name, sizeof entry.Name));
      if (candidate == wanted)
        equal.push_back(btr.GetPosition());
      else if (!wanted.empty() && candidate.find(wanted) != AnsiString::npos)
        containing.push_back(btr.GetPosition());
    }
  } catch (const EKorvoEOFError&) {
  }
  uint32_t position = 0;
  if (!equal.empty())
    position = equal.front();
  else if (containing.size() == 1)
    position = containing.front();
  else
    RaiseBtrieveErrorWithKey(TableNotInDictionary, name);
  btr.GetDirect(position);
  std::memcpy(&entry, btr.DataBuffer, std::min<size_t>(sizeof entry, btr.BufferSize));
  return entry;
}

void TBtrDatabase::DeleteTableFromDictionary(const char* name) {
  TWinBtr files(clientId_);
  openDictionary(files, DdfFileName, TBtrTable::NormalOpen);
  const DictionaryTableRecord entry = findEntryToChange(files, name);
  files.Delete();
  const uint16_t id = entry.TableId;

  TWinBtr fields(clientId_);
  openDictionary(fields, DdfFieldName, TBtrTable::NormalOpen);
  deleteWhile(fields, [&] {
    fields.GetByKey(BtrieveOperationCodes::GetEqual, &id, sizeof id, kFieldTableKey);
    return true;
  });
  try {
    TWinBtr indexes(clientId_);
    openDictionary(indexes, DdfIndexName, TBtrTable::NormalOpen);
    deleteWhile(indexes, [&] {
      indexes.GetByKey(BtrieveOperationCodes::GetEqual, &id, sizeof id, 0);
      return true;
    });
  } catch (const EBtrieveEngineError&) {
    // A folder without an index dictionary keeps nothing of the table there.
  }
  try {
    TWinBtr extensions(clientId_);
    openDictionary(extensions, DdfFieldExtName, TBtrTable::NormalOpen);
    const uint8_t first[6] = {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8), 0, 0, 0, 0};
    deleteWhile(extensions, [&] {
      extensions.GetByKey(BtrieveOperationCodes::GetAtOrAfter, first, sizeof first, 0);
      uint16_t found = 0;
      std::memcpy(&found, extensions.DataBuffer, sizeof found);
      return found == id;
    });
  } catch (const EBtrieveEngineError&) {
    // FIELDEXT.DDF is optional.
  }
}

void TBtrDatabase::RenameTableInDictionary(const char* name, const char* newName) {
  CheckParam(newName);
  TWinBtr files(clientId_);
  openDictionary(files, DdfFileName, TBtrTable::NormalOpen);
  DictionaryTableRecord entry = findEntryToChange(files, name);
  std::memset(entry.Name, ' ', sizeof entry.Name);
  std::memcpy(entry.Name, newName, std::min(std::strlen(newName), NewNameMax));
  std::memcpy(files.DataBuffer, &entry, std::min<size_t>(sizeof entry, files.BufferSize));
  files.Update();
}

void TBtrDatabase::BeginTransaction(uint32_t, uint32_t& transaction) {
  if (inTransaction_) RaiseEngineError(DBIERR_ACTIVETRAN);
  TWinBtr btr(clientId_);
  btr.BeginTransaction(false);
  inTransaction_ = true;
  transaction = 1;
  SetTransactionValues(transaction, 1);
}

void TBtrDatabase::EndTransaction(uint32_t, uint32_t endMode) {
  inTransaction_ = false;
  SetTransactionValues(0, 0);
  TWinBtr btr(clientId_);
  if (endMode == kAbort)
    btr.AbortTransaction();
  else
    btr.EndTransaction();
}
