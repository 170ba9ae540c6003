#pragma once
// A small SQL database made by the real tool for each test: CLIENTS (100 rows: ID integer 4,
// NAME string 20, AMOUNT decimal 5 with 2 decimals, OPENED date), MATTERS (3 rows: ID, CLIENT_ID,
// TITLE zero-terminated 31, NOTES note 200), users ADMIN "secret" and clerk "pass word", and the
// procedure BIGCLIENTS.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "platform/sqlif/tests/SqlInterfaceApi.h"

namespace qn::sqlif::testing {

struct ToolRun {
  int exitCode;
  std::string output;
};
// Runs qnsqlif from the program folder with the arguments (each quoted for the shell).
ToolRun runTool(const std::vector<std::string>& arguments);

nlohmann::json standardDescription();
// Writes the description to a file and makes the folder with the tool; the tool's run.
ToolRun makeDatabase(const std::string& folder, const nlohmann::json& description);

class SqlFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  SqlInterfaceApi& api = SqlInterfaceApi::instance();
  std::string folder;  // the database folder
};

}  // namespace qn::sqlif::testing
