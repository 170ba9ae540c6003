#pragma once
// The application's table over a seeded clients file on key 1 (the client code), not yet open, so a
// test can set its extension properties and events before it opens. Test code only.
#include <string>

#include "datagrid/DcTbTable.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace datasettest {

inline TdcTbTable* newClientsTable(TComponent* owner, const std::string& dataFolder) {
  auto* table = new TdcTbTable(owner);
  table->SetDatabaseName(dataFolder);
  table->SetTableName(kClientsTable);
  table->SetIndexName("1");
  return table;
}

}  // namespace datasettest
