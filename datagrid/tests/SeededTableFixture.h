#pragma once
// A record file made by qnseed from the records a test gives (the clients file unless named), opened through the framework's
// table on the process's default session, the record manager reached through the recording
// library. Test code only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/db/Field.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/FrameworkTable.h"
#include "testing/TestDirs.h"

namespace clientstable {

inline constexpr const char* kClientsTable = "YClient.qf;RES:YCLIENT";
inline constexpr const char* kCode = "Client Code";
inline constexpr const char* kLastName = "Client Last Name";
inline constexpr const char* kCity = "City";

struct Client {
  std::string code, lastName, city;
};

class ClientsTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
  }

  // The table of those clients on key 1 (the client code), open.
  TTable& openClients(const std::vector<Client>& clients, const char* index = "1") {
    return openSeeded("YClient.qf", kClientsTable, clientsSeed(clients), index);
  }

  // The seed text of those clients: blocks of "Field = value" lines.
  static std::string clientsSeed(const std::vector<Client>& clients) {
    std::string seed;
    for (const Client& c : clients)
      seed += std::string(kCode) + " = " + c.code + "\n" + kLastName + " = " + c.lastName + "\n" + kCity + " = " +
              c.city + "\n\n";
    return seed;
  }

  // A data folder holding the record file made from the seed text.
  static std::string seedDataFolder(const std::string& fileName, const std::string& seedText) {
    const std::string root = qn::testing::makeScratchDir("seeded-table");
    const std::string fixture = root + "/fixture";
    const std::string data = root + "/data";
    EXPECT_EQ(std::system(("mkdir -p '" + fixture + "'").c_str()), 0);
    std::ofstream(fixture + "/" + fileName + ".seed") << seedText;
    const std::string command =
        "'" + qn::recmgr::testing::programFolder() + "/qnseed' data '" + data + "' '" + fixture + "' >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return data;
  }

  // The record file made from the seed text, open on that index.
  TTable& openSeeded(const std::string& fileName, const char* tableName, const std::string& seedText,
                     const char* index) {
    const std::string data = seedDataFolder(fileName, seedText);
    table = makeTable();
    table->SetDatabaseName(data);
    table->SetTableName(tableName);
    table->SetIndexName(index);
    table->Open();
    return *table;
  }

  // Writes `bytes` at `offset` of the client `code`'s record of the clients file in `data`,
  // straight through the record manager: bytes (damage among them) the tables would never write.
  static void storeClientBytes(const std::string& data, const std::string& code, size_t offset,
                               const std::string& bytes) {
    constexpr uint16_t getFirst = 12, getNext = 6, codeOffset = 4, codeSize = 7;
    const std::string key = (code + std::string(codeSize, ' ')).substr(0, codeSize);
    qn::recmgr::testing::OpenFile file;
    ASSERT_EQ(file.open(data + "/YClient.qf"), 0);
    for (auto read = file.read(getFirst, 0); read.status == 0; read = file.read(getNext, 0)) {
      if (read.record.compare(codeOffset, codeSize, key) != 0) continue;
      read.record.replace(offset, bytes.size(), bytes);
      ASSERT_EQ(file.update(read.record), 0) << code;
      return;
    }
    ADD_FAILURE() << "no client " << code;
  }

  // The client codes of the records the table shows, from the first on.
  std::vector<std::string> codes() {
    std::vector<std::string> all;
    for (table->First(); !table->Eof(); table->Next()) all.push_back(table->FieldByName(kCode)->AsString());
    return all;
  }

  // Makes the table openSeeded opens; a test of a table class of its own replaces it.
  std::function<std::unique_ptr<TTable>()> makeTable = [] { return std::make_unique<TTable>(nullptr); };
  std::unique_ptr<TTable> table;
};

}  // namespace clientstable
