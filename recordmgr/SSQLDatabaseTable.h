#pragma once
// TSSQLDatabaseTable: the databases an SQL session offers, gathered once when the list is made:
// the configured databases and registry aliases first, then the SQL databases the names library
// knows on this machine ("LOCAL") and on servers ("REMOTE"), each as "@" + its name with that
// name as its path and the record manager's driver type. A group whose count fails is left out;
// a name that fails ends its group. The list reads forward once and never rewinds.
#include <cstdint>

#include "recordmgr/BaseTable.h"

class TBaseSession;

class TSSQLDatabaseTable : public TBaseTable {
  QN_CLASS(TSSQLDatabaseTable, TBaseTable)
 public:
  static constexpr uint16_t NameBufferSize = 20;

  TSSQLDatabaseTable(TBaseSession* session, const char* tableName, TKorvoCollection* configRecords,
                     TKorvoCollection* list);
  ~TSSQLDatabaseTable() override;

  TKorvoCollection* Entries() const { return entries_; }

  void DoOpen() override;
  // The next entry's description; end of file after the last.
  void GetNextRecord(uint16_t lock, void* record, void* properties) override;

 private:
  void addConfigured();
  void addSqlDatabases(bool remote);

  TBaseSession* session_;
  TKorvoCollection* configRecords_;
  TKorvoCollection* entries_;
  uint16_t position_ = 0;
};
