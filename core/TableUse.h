#pragma once
// A table opened for the length of one helper: opened on the file and index when it was closed,
// and closed again when the helper ends, also on failure. A table a form holds open is used as it
// is and left open.
#include "datagrid/DcTbTable.h"

class TableUse {
 public:
  // Raises what the open raised, the table left closed.
  TableUse(TdcTbTable* table, const AnsiString& tableName, const AnsiString& indexName);
  ~TableUse();
  TableUse(const TableUse&) = delete;
  TableUse& operator=(const TableUse&) = delete;

 private:
  TdcTbTable* table_;
  bool opened_;
};
