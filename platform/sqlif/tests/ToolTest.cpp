// `qnsqlif create` checks the whole description first: refusals name the place and the reason,
// and leave no folder behind; an existing database folder is never overwritten.
#include <filesystem>

#include "platform/sqlif/tests/SqlFixture.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace qn::sqlif::testing {
namespace {

using json = nlohmann::json;

struct Refusal {
  const char* what;
  void (*spoil)(json&);
  const char* place;
  const char* reason;
};

const Refusal kRefusals[] = {
    {"unknown type", [](json& d) { d["tables"][1]["columns"][3]["type"] = 6; }, "tables[1].columns[3].type",
     "unknown type"},
    {"unknown type name", [](json& d) { d["tables"][0]["columns"][1]["type"] = "money"; },
     "tables[0].columns[1].type", "unknown type"},
    {"size", [](json& d) { d["tables"][0]["columns"][0]["size"] = 3; }, "tables[0].columns[0].size",
     "size 3 not allowed"},
    {"decimals", [](json& d) { d["tables"][0]["columns"][0]["decimals"] = 2; }, "tables[0].columns[0].decimals",
     "decimals not allowed"},
    {"text too long", [](json& d) { d["tables"][0]["rows"][5][1] = "a name of twenty-one c"; },
     "tables[0].rows[5][1]", "does not fit"},
    {"integer too wide", [](json& d) { d["tables"][0]["rows"][0][0] = 5000000000LL; }, "tables[0].rows[0][0]",
     "does not fit"},
    {"decimal too wide", [](json& d) { d["tables"][0]["rows"][0][2] = 12345678.5; }, "tables[0].rows[0][2]",
     "does not fit"},
    {"no date", [](json& d) { d["tables"][0]["rows"][3][3] = "2020-02-30"; }, "tables[0].rows[3][3]", "date"},
    {"row length", [](json& d) { d["tables"][0]["rows"][2] = json::array({1, "x"}); }, "tables[0].rows[2]",
     "2 values for 4 columns"},
    {"duplicate table", [](json& d) { d["tables"][1]["name"] = "clients"; }, "tables[1].name", "duplicate name"},
    {"duplicate column", [](json& d) { d["tables"][1]["columns"][1]["name"] = "id"; }, "tables[1].columns[1].name",
     "duplicate name"},
    {"long user", [](json& d) { d["users"][1]["name"] = std::string(31, 'u'); }, "users[1].name",
     "name over 30 characters"},
    {"duplicate procedure", [](json& d) { d["procedures"].push_back({{"name", "bigclients"}, {"text", "x"}}); },
     "procedures[1].name", "duplicate name"},
    {"note not last", [](json& d) { std::swap(d["tables"][1]["columns"][2], d["tables"][1]["columns"][3]); },
     "tables[1].columns[2].type", "last column"},
    {"reserved table", [](json& d) { d["tables"][1]["name"] = "sqlif_columns"; }, "tables[1].name", "reserved"},
    {"odd name", [](json& d) { d["tables"][1]["name"] = "A\"; DROP"; }, "tables[1].name", "not a name"},
    {"missing size", [](json& d) { d["tables"][0]["columns"][0].erase("size"); }, "tables[0].columns[0].size",
     "required"},
};

class ToolTest : public ::testing::Test {
 protected:
  std::string parent = qn::testing::makeScratchDir("tool");
  bool onlyTheSpecs() const {
    for (const auto& entry : std::filesystem::directory_iterator(parent))
      if (entry.path().extension() != ".json") return false;
    return true;
  }
};

TEST_F(ToolTest, RefusalsNameThePlaceAndLeaveNoFolder) {
  for (const Refusal& r : kRefusals) {
    json description = standardDescription();
    r.spoil(description);
    const std::string folder = parent + "/DB";
    const ToolRun run = makeDatabase(folder, description);
    EXPECT_EQ(run.exitCode, 1) << r.what;
    EXPECT_NE(run.output.find(r.place), std::string::npos) << r.what << ": " << run.output;
    EXPECT_NE(run.output.find(r.reason), std::string::npos) << r.what << ": " << run.output;
    EXPECT_TRUE(onlyTheSpecs()) << r.what;
  }
}

TEST_F(ToolTest, JsonSyntaxErrorsNameLineAndColumn) {
  qn::testing::writeFileText(parent + "/bad.json", "{\n  \"tables\": [\n    {\"name\": }\n  ]\n}\n");
  const ToolRun run = runTool({"create", parent + "/DB", parent + "/bad.json"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("line 3, column"), std::string::npos) << run.output;
  EXPECT_TRUE(onlyTheSpecs());
}

TEST_F(ToolTest, ExistingDatabaseFolderIsNeverOverwritten) {
  const std::string folder = parent + "/DB";
  ASSERT_EQ(makeDatabase(folder, standardDescription()).exitCode, 0);
  const std::string before = qn::testing::readFileText(folder + "/SQLDATA.sqlite");
  json other = standardDescription();
  other["tables"][0]["rows"] = json::array();
  const ToolRun again = makeDatabase(folder, other);
  EXPECT_EQ(again.exitCode, 1);
  EXPECT_NE(again.output.find("exists"), std::string::npos) << again.output;
  EXPECT_EQ(qn::testing::readFileText(folder + "/SQLDATA.sqlite"), before);
  // An empty folder is taken.
  const std::string empty = qn::testing::makeScratchDir("emptydb");
  EXPECT_EQ(makeDatabase(empty, standardDescription()).exitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(empty + "/USER.DDF"));
}

TEST_F(ToolTest, UsageErrors) {
  EXPECT_EQ(runTool({}).exitCode, 2);
  EXPECT_EQ(runTool({"create", parent + "/DB"}).exitCode, 2);
  EXPECT_EQ(runTool({"create", parent + "/DB", parent + "/missing.json"}).exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(parent + "/DB"));
}

}  // namespace
}  // namespace qn::sqlif::testing
