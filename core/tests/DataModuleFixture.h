#pragma once
// The data modules on a qnseed data folder reached through the alias QNWIN: codes of every kind,
// employees, clients, three matters (ADAMS 1, ADAMS 2 closed, BRIGHT 1) with description lines,
// notes and addresses, bills and fees, and workstation 07's batch of three lines (the third
// marked hidden) with their descriptions. TDM2 is connected, TDM made with every table closed.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/DM.h"
#include "core/DM2.h"
#include "platform/os/ExecutablePath.h"

namespace core_test {

// Every record of a file in a data folder, "field|field|..." of the named fields, in key-1 order.
std::vector<std::string> storedRows(const std::string& dataDir, const std::string& tableName,
                                    const std::vector<std::string>& fields);

class DataModuleFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Case1_ open on ycase.qf, on the matter (key 1).
  void goToCase(const char* client, const char* suffix);
  // Every record of a file, "field|field|..." of the named fields, in key-1 order.
  std::vector<std::string> rows(const std::string& tableName, const std::vector<std::string>& fields);
  // The seed text of each record file qnseed makes; a fixture of its own may change some.
  virtual std::map<std::string, std::string> seedFiles() const;

  std::string dataDir;
  std::unique_ptr<TDM2> dm2;
  std::unique_ptr<TDM> dm;
  // The code tables follow the program file's name; a case program unless a test says otherwise.
  std::unique_ptr<qn::os::ExecutablePathOverride> program;
};

}  // namespace core_test
