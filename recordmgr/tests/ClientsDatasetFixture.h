#pragma once
// Datasets of the test binding on a data folder made by qnseed: the clients file YClient.qf with
// the clients a test names, opened in key path 1 (the client code). Test code only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/db/Field.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/tests/TestBinding.h"
#include "recordmgr/tests/TestDataset.h"
#include "testing/TestDirs.h"

namespace datasettest {

inline constexpr const char* kClientsTable = "YClient.qf;RES:YCLIENT";
inline constexpr const char* kEmployeesTable = "YEmpl.qf;RES:EMP";
inline constexpr const char* kClientCode = "Client Code";
inline constexpr const char* kFirstName = "Client First Name";

// A data folder holding the clients of those codes, the employees file YEmpl.qf with the
// employees of those codes, and the cases file YCase.qf of the seed text given.
inline std::string seedClients(const std::string& scratchName, const std::vector<std::string>& codes,
                               const std::vector<std::string>& employees = {}, const std::string& caseSeed = "") {
  const std::string root = qn::testing::makeScratchDir(scratchName);
  const std::string fixture = root + "/fixture";
  const std::string data = root + "/data";
  EXPECT_EQ(std::system(("mkdir -p '" + fixture + "'").c_str()), 0);
  std::ofstream seed(fixture + "/YClient.qf.seed");
  for (const std::string& code : codes) seed << "Client Code = " << code << "\n\n";
  seed.close();
  std::ofstream employeeSeed(fixture + "/YEmpl.qf.seed");
  for (const std::string& employee : employees) employeeSeed << "Employee Code = " << employee << "\n\n";
  employeeSeed.close();
  std::ofstream(fixture + "/YCase.qf.seed") << caseSeed;
  const std::string command =
      "'" + qn::recmgr::testing::programFolder() + "/qnseed' data '" + data + "' '" + fixture + "' >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return data;
}

class ClientsDatasetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    standard = new bindingtest::TestSessionComponent(nullptr, sessions);
    standard->SetSessionName("Btrieve");
  }
  void TearDown() override { datasets.clear(); }

  void seed(const std::vector<std::string>& codes, const std::vector<std::string>& employees = {},
            const std::string& caseSeed = "") {
    dataDir = seedClients("clients-dataset", codes, employees, caseSeed);
  }

  // A closed dataset of a table (the clients file unless named) in the data folder.
  bindingtest::TestTableDataset* newClients(const char* index = "1", const char* table = kClientsTable) {
    auto* dataset = new bindingtest::TestTableDataset(nullptr, sessions);
    datasets.emplace_back(dataset);
    dataset->SetDatabaseName(dataDir);
    dataset->SetTableName(table);
    dataset->SetIndexName(index);
    return dataset;
  }
  bindingtest::TestTableDataset* openClients(const char* index = "1", const char* table = kClientsTable) {
    bindingtest::TestTableDataset* dataset = newClients(index, table);
    dataset->Open();
    return dataset;
  }

  static std::string code(TDataSet& dataset) { return dataset.FieldByName(kClientCode)->AsString(); }
  // Every client code from the first record on.
  static std::vector<std::string> codes(TDataSet& dataset) {
    std::vector<std::string> all;
    for (dataset.First(); !dataset.Eof(); dataset.Next()) all.push_back(code(dataset));
    return all;
  }

  std::string dataDir;
  bindingtest::TestSessionList sessions;
  bindingtest::TestSessionComponent* standard = nullptr;
  std::vector<std::unique_ptr<bindingtest::TestTableDataset>> datasets;
};

}  // namespace datasettest
