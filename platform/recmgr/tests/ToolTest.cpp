// qnrecmgr run as a program: create from JSON, stat, load, dump, check; and the JSON schema.
#include <sqlite3.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/recmgr/tests/RecmgrFixture.h"
#include "platform/recmgr/tool/FileSpecJson.h"

namespace qn::recmgr::testing {
namespace {

struct ToolRun {
  int exitCode;
  std::string out;
};

// The tool's standard output; its errors too when `errors` is "2>&1".
ToolRun runTool(const std::string& arguments, const std::string& errors = "2>/dev/null") {
  const std::string command = programFolder() + "/qnrecmgr " + arguments + " " + errors;
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

class Tool : public RecmgrFixture {
 protected:
  std::string writeText(const std::string& name, const std::string& text) {
    std::ofstream(path(name)) << text;
    return path(name);
  }
};

const char* const specJson = R"({
  "recordLength": 24, "pageSize": 2048, "owner": "Keeper", "files": ["ignored"],
  "keys": [
    {"segments": [{"position": 1, "length": 4, "type": "autoinc"}]},
    {"duplicates": true, "modifiable": true, "note": "name, then number descending",
     "segments": [{"position": 5, "length": 6, "type": "string", "caseInsensitive": true},
                  {"position": 11, "length": 2, "type": "integer", "descending": true}]}
  ]
})";

TEST_F(Tool, CreatesLoadsDumpsAndChecksAFile) {
  const std::string file = path("tool.qf");
  ASSERT_EQ(runTool("create " + file + " " + writeText("spec.json", specJson)).exitCode, 0);

  OpenFile f;
  EXPECT_EQ(f.open(file), 51) << "the owner was set";
  ASSERT_EQ(f.open(file, 0, "Keeper"), 0);
  const auto s = f.stat();
  EXPECT_EQ(s[0], 24);
  EXPECT_EQ(s[2] | s[3] << 8, 2048);
  EXPECT_EQ(s[4], 2);
  EXPECT_EQ(s[16 + 16 + 4] | s[16 + 16 + 5] << 8, 0x400 | 0x100 | 0x10 | 0x02 | 0x01);
  ASSERT_EQ(f.close(), 0);

  const std::string records = writeText("records.txt",
                                        "{\"hex\": \"00000000626f62000000010000000000000000000000000000\"}\n"
                                        "\n"
                                        "{\"text\": \"\\u0000\\u0000\\u0000\\u0000BOB\\u0000\\u0000\\u0000\\u0005\\u0000\"}\n"
                                        "{\"text\": \"\\u0000\\u0000\\u0000\\u0000al\"}\n");
  ASSERT_EQ(runTool("load " + file + " " + records).exitCode, 0);

  const ToolRun byKey = runTool("dump " + file + " --key 1");
  ASSERT_EQ(byKey.exitCode, 0);
  std::vector<int> positions;
  std::istringstream lines(byKey.out);
  for (std::string line; std::getline(lines, line);) {
    const auto j = nlohmann::json::parse(line);
    positions.push_back(j["position"].get<int>());
    EXPECT_EQ(j["hex"].get<std::string>().size(), 48u);
  }
  EXPECT_EQ(positions, (std::vector<int>{3, 2, 1})) << "al; then BOB 5 before bob 1 (case folded, descending)";

  const ToolRun statRun = runTool("stat " + file);
  ASSERT_EQ(statRun.exitCode, 0);
  const auto description = nlohmann::json::parse(statRun.out);
  EXPECT_EQ(description["recordCount"], 3);
  EXPECT_EQ(description["owner"], "Keeper");
  EXPECT_EQ(description["keys"][1]["segments"][1]["type"], "integer");

  // The description stat prints makes the same layout again.
  const std::string copy = path("copy.qf");
  ASSERT_EQ(runTool("create " + copy + " " + writeText("again.json", statRun.out)).exitCode, 0);
  OpenFile original, made;
  ASSERT_EQ(original.open(file, 0, "Keeper"), 0);
  ASSERT_EQ(made.open(copy, 0, "Keeper"), 0);
  std::vector<uint8_t> expected = original.stat();
  expected[6] = 0;  // the copy has no records
  EXPECT_EQ(made.stat(), expected);

  EXPECT_EQ(runTool("check " + file).exitCode, 0);
}

TEST_F(Tool, ATextTheCodePageCannotHoldRefusesTheWholeLoadNamingItsLine) {
  const std::string file = makeSmallFile("load.qf", {"ann"});
  const std::string before = fileBytes(file);
  const std::string records = writeText("records.txt",
                                        "{\"text\": \"\\u0000\\u0000\\u0000\\u0000\u20ac uro\"}\n"
                                        "{\"text\": \"\\u0000\\u0000\\u0000\\u0000\u03a9mega\"}\n");
  const ToolRun load = runTool("load " + file + " " + records, "2>&1");
  EXPECT_EQ(load.exitCode, 1);
  EXPECT_NE(load.out.find("records.txt:2:"), std::string::npos) << load.out;
  EXPECT_EQ(fileBytes(file), before) << "nothing may be written";

  // The euro sign the code page has loads as its one byte.
  const std::string fits = writeText("fits.txt", "{\"text\": \"\\u0000\\u0000\\u0000\\u0000\u20ac uro\"}\n");
  ASSERT_EQ(runTool("load " + file + " " + fits).exitCode, 0);
  OpenFile f;
  ASSERT_EQ(f.open(file), 0);
  const OpenFile::Read euro = f.read(13, 0);
  ASSERT_EQ(euro.status, 0);
  EXPECT_EQ(nameOf(euro.record), "\x80 uro");
}

TEST_F(Tool, CheckFindsKeyColumnsThatDisagreeWithTheirRecords) {
  const std::string file = makeSmallFile("broken.qf", {"AAA", "BBB"});
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "UPDATE records SET bytes = zeroblob(32) WHERE position = 2", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  const ToolRun check = runTool("check " + file);
  EXPECT_EQ(check.exitCode, 1);
  EXPECT_NE(check.out.find("position 2"), std::string::npos) << check.out;
}

TEST_F(Tool, RefusesBadDescriptionsWithoutMakingAFile) {
  struct Case {
    const char* what;
    const char* json;
  };
  const Case cases[] = {
      {"not JSON", "{"},
      {"no record length", R"({"keys": []})"},
      {"a segment past the record", R"({"recordLength": 8, "keys": [{"segments": [{"position": 5, "length": 8}]}]})"},
      {"an unknown type", R"({"recordLength": 8, "keys": [{"segments": [{"position": 1, "length": 2, "type": "money"}]}]})"},
      {"a page size too small", R"({"recordLength": 8, "pageSize": 100})"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = path("bad.qf");
    EXPECT_EQ(runTool("create " + file + " " + writeText("bad.json", c.json)).exitCode, 1);
    EXPECT_FALSE(std::ifstream(file).good());
  }
  EXPECT_EQ(runTool("--help").exitCode, 0);
  EXPECT_EQ(runTool("frobnicate").exitCode, 1);
}

TEST(FileSpecJson, NamesTheMemberAtFault) {
  try {
    fileDescriptionFromJson(nlohmann::json::parse(R"({"recordLength": 8, "keys": [{"segments": [{"position": 0}]}]})"));
    FAIL() << "no error";
  } catch (const FileSpecJsonError& e) {
    EXPECT_NE(std::string(e.what()).find("keys[0].segments[0].position"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace qn::recmgr::testing
