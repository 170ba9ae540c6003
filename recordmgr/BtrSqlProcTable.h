#pragma once
// TBtrSqlProcTable: the stored procedures of an SQL database, read from its PROC.DDF (opened
// read-only under the dictionary owner). Each read delivers the next procedure's name as a
// 73-byte entry: the name without surrounding blanks, zero-terminated, at most 64 characters.
// Records longer than the 1061-byte buffer are read in part without failing.
#include <cstdint>
#include <vector>

#include "recordmgr/BtrTable.h"

class TBtrSqlProcTable : public TBtrTable {
  QN_CLASS(TBtrSqlProcTable, TBtrTable)
 public:
  static constexpr uint16_t ProcedureBufferSize = 1061;
  static constexpr size_t EntrySize = 73;
  static constexpr size_t NameInRecord = 30;
  static constexpr size_t NameMax = 64;

  // directory ends in a separator.
  TBtrSqlProcTable(TBapiListItem* database, const uint8_t* clientId, const char* directory, TKorvoCollection* list);

  void DoOpen() override;
  void Activate() override;
  // The next procedure into entry (nil: only moves on); end of file after the last. Reads
  // without a lock: the file is open read-only.
  void GetRecord(uint16_t lock, void* entry, void* properties) override;

 private:
  std::vector<uint8_t> record_;
};
