#include "core/tests/SeededDataFolder.h"

#include <cstdlib>
#include <fstream>
#include <map>

#include "core/RecordFiles.h"
#include "platform/recmgr/tests/RecordManagerApi.h"
#include "testing/TestDirs.h"

namespace qn::core::testing {
namespace {

const std::map<std::string, std::string> kSeeds = {
    {"YClient.qf",
     "Client Code = ADAMS\nClient Last Name = Adams\n\n"
     "Client Code = BRIGHT\nClient Last Name = Bright\n\n"
     "Client Code = CLARK\nClient Last Name = Clark\n\n"
     "Client Code = DAVIS\nClient Last Name = Davis\n"},
    {"Fee.qf",
     "Client Code = ADAMS\nCase Suffix = \"      1\"\nTransaction Date = 2024-03-15\nActual $ = 100.50\n\n"
     "Client Code = BRIGHT\nCase Suffix = \"      2\"\nTransaction Date = 2024-03-16\nActual $ = -20.25\n\n"
     "Client Code = CLARK\nCase Suffix = \"      3\"\nTransaction Date = 2024-03-17\nActual $ = 7\n"},
    {"YCase.qf", ""},   {"YEmpl.qf", ""}, {"FSplit.qf", ""}, {"Cdesc.qf", ""},  {"YTable.qf", ""},
    {"CaseAddr.qf", ""}, {"TSC.qc", ""},  {"Sysop.qc", ""},  {"Bill.qf", ""},   {"HFee.qf", ""},
    {"Cal.qf", ""},     {"TrDesc.qf", ""},
};

}  // namespace

void SeededDataFolder::SetUp() {
  const std::string root = qn::testing::makeScratchDir("record-files");
  const std::string fixture = root + "/fixture";
  dataDir = root + "/data";
  ASSERT_EQ(std::system(("mkdir -p '" + fixture + "'").c_str()), 0);
  for (const auto& [name, records] : kSeeds) std::ofstream(fixture + "/" + name + ".seed") << records;
  const std::string qnseed = qn::recmgr::testing::programFolder() + "/qnseed";
  const std::string command = "'" + qnseed + "' data '" + dataDir + "' '" + fixture + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  RecordFileDir = dataDir;
}

void SeededDataFolder::TearDown() {
  CloseAllRecordFiles();
  TransactionFileNumber = -1;
  UseFieldSchema = false;
}

}  // namespace qn::core::testing
