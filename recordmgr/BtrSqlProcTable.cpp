#include "recordmgr/BtrSqlProcTable.h"

#include <algorithm>
#include <cstring>

#include "framework/base/StringUtils.h"
#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/EngineError.h"

namespace {

AnsiString procedureFileName(const char* directory) {
  return AnsiString(directory ? directory : "") + DdfProcName + OwnerOptionKey + DdfOwnerName;
}

}  // namespace

TBtrSqlProcTable::TBtrSqlProcTable(TBapiListItem* database, const uint8_t* clientId, const char* directory,
                                   TKorvoCollection* list)
    : TBtrTable(database, 0, ReadOnlyMode, nullptr, procedureFileName(directory).c_str(), list, clientId),
      record_(ProcedureBufferSize, ' ') {}

void TBtrSqlProcTable::DoOpen() {
  TBtrTable::DoOpen();
  Btr().AllowPartial = true;
}

void TBtrSqlProcTable::Activate() {
  TBtrTable::Activate();
  Btr().SetBufferSize(ProcedureBufferSize);
}

void TBtrSqlProcTable::GetRecord(uint16_t, void* entry, void*) {
  if (State() == csClosed) RaiseEngineEOF();
  std::fill(record_.begin(), record_.end(), ' ');
  // The cursor reads into this buffer from now on: it outlives every read.
  TBaseTable::GetNextRecord(0, record_.data(), nullptr);
  if (entry == nullptr) return;
  std::memset(entry, 0, EntrySize);
  const AnsiString name =
      Trim(AnsiString(reinterpret_cast<const char*>(record_.data()), NameInRecord)).substr(0, NameMax);
  std::memcpy(entry, name.c_str(), name.size());
}
