#pragma once
// A clients file of the program's layout made for a benchmark run: qnseed makes it empty, then one
// transaction inserts the clients "C000001" and on through the table the benchmark reads. The
// table is open in key 1 (the client code) with a twenty-row data link attached, as a grid has.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/db/DataLink.h"
#include "framework/db/DataSource.h"
#include "recordmgr/bench/EmptyClientsFile.h"
#include "recordmgr/tests/TestBinding.h"
#include "recordmgr/tests/TestDataset.h"

namespace benchfile {

inline constexpr int kRows = 20;
inline constexpr uint16_t kClientCodeLength = 7;

struct ClientsBench {
  std::string folder;
  bindingtest::TestSessionList sessions;
  std::unique_ptr<bindingtest::TestTableDataset> clients;
  TDataSource source{nullptr};
  TDataLink link;

  std::string clientsPath() const { return folder + "/data/YClient.qf"; }
  ~ClientsBench() {
    link.SetDataSource(nullptr);
    clients.reset();
    std::filesystem::remove_all(folder);
  }
};

inline std::unique_ptr<ClientsBench> makeClientsBench(const char* name, int records) {
  auto b = std::make_unique<ClientsBench>();
  b->folder = seedEmptyClientsFolder(name);

  auto* standard = new bindingtest::TestSessionComponent(nullptr, b->sessions);
  standard->SetSessionName("Btrieve");
  b->clients = std::make_unique<bindingtest::TestTableDataset>(nullptr, b->sessions);
  b->clients->SetDatabaseName(b->folder + "/data");
  b->clients->SetTableName("YClient.qf;RES:YCLIENT");
  b->clients->SetIndexName("1");
  b->clients->Open();
  insertClients(*b->clients, records, [](TVirtEng& engine, TBaseTable* cursor, char* record, int n) {
    engine.PutField(cursor, kClientCodeField, record, clientCode(n).c_str());
  });
  b->source.SetDataSet(b->clients.get());
  b->link.SetBufferCount(kRows);
  b->link.SetDataSource(&b->source);
  return b;
}

}  // namespace benchfile
