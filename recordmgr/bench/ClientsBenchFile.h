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
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/Database.h"
#include "recordmgr/VirtEng.h"
#include "recordmgr/tests/TestBinding.h"
#include "recordmgr/tests/TestDataset.h"

namespace benchfile {

inline constexpr int kRows = 20;
inline constexpr uint16_t kClientCodeField = 2;
inline constexpr uint16_t kClientCodeLength = 7;

inline std::string clientCode(int n) {
  char code[16];
  std::snprintf(code, sizeof code, "C%06d", n);
  return code;
}

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
  b->folder = (std::filesystem::temp_directory_path() / (name + std::to_string(::getpid()))).string();
  const std::string fixture = b->folder + "/fixture";
  std::filesystem::create_directories(fixture);
  std::FILE* seed = std::fopen((fixture + "/YClient.qf.seed").c_str(), "w");
  std::fclose(seed);
  const std::string programs = std::filesystem::canonical("/proc/self/exe").parent_path().string();
  const std::string command = "'" + programs + "/qnseed' data '" + b->folder + "/data' '" + fixture + "' >/dev/null";
  if (std::system(command.c_str()) != 0) std::abort();
  const uint16_t status = LoadBtrieveEngine("", "wbtrv32.dll");
  if (status != 0 && status != 1016) std::abort();

  auto* standard = new bindingtest::TestSessionComponent(nullptr, b->sessions);
  standard->SetSessionName("Btrieve");
  b->clients = std::make_unique<bindingtest::TestTableDataset>(nullptr, b->sessions);
  b->clients->SetDatabaseName(b->folder + "/data");
  b->clients->SetTableName("YClient.qf;RES:YCLIENT");
  b->clients->SetIndexName("1");
  b->clients->Open();
  TVirtEng* engine = b->clients->Engine();
  std::vector<char> record(static_cast<size_t>(b->clients->RecordSize()));
  b->clients->Database()->StartTransaction();
  for (int n = 1; n <= records; ++n) {
    engine->InitRecord(b->clients->Handle(), record.data());
    engine->PutField(b->clients->Handle(), kClientCodeField, record.data(), clientCode(n).c_str());
    if (engine->InsertRecord(b->clients->Handle(), 0, record.data()) != 0) std::abort();
  }
  b->clients->Database()->Commit();
  b->source.SetDataSet(b->clients.get());
  b->link.SetBufferCount(kRows);
  b->link.SetDataSource(&b->source);
  return b;
}

}  // namespace benchfile
