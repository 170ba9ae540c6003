#include "platform/sqlif/tests/SqlFixture.h"

#include <cstdio>

#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace qn::sqlif::testing {

namespace {

std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

ToolRun runTool(const std::vector<std::string>& arguments) {
  std::string command = shellQuoted(programFolder() + "/qnsqlif");
  for (const std::string& a : arguments) command += " " + shellQuoted(a);
  command += " 2>&1";
  ToolRun run{-1, {}};
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

nlohmann::json standardDescription() {
  using json = nlohmann::json;
  json clients = {{"name", "CLIENTS"},
                  {"columns",
                   {{{"name", "ID"}, {"type", 1}, {"size", 4}},
                    {{"name", "NAME"}, {"type", 0}, {"size", 20}},
                    {{"name", "AMOUNT"}, {"type", 5}, {"size", 5}, {"decimals", 2}},
                    {{"name", "OPENED"}, {"type", "date"}, {"size", 4}}}},
                  {"rows", json::array()}};
  for (int i = 1; i <= 100; ++i) {
    char name[32], opened[16];
    std::snprintf(name, sizeof name, "Client %03d", i);
    std::snprintf(opened, sizeof opened, "2020-01-%02d", i % 28 + 1);
    clients["rows"].push_back({i, name, i * 10.25, opened});
  }
  json matters = {{"name", "MATTERS"},
                  {"columns",
                   {{{"name", "ID"}, {"type", 1}, {"size", 4}},
                    {{"name", "CLIENT_ID"}, {"type", 1}, {"size", 4}},
                    {{"name", "TITLE"}, {"type", 11}, {"size", 31}},
                    {{"name", "NOTES"}, {"type", 12}, {"size", 200}}}},
                  {"rows",
                   {{1, 1, "Smith v. Jones", "first note"}, {2, 1, "Estate of Brown", nullptr},
                    {3, 2, "Lease review", "third"}}}};
  return {{"tables", {clients, matters}},
          {"users", {{{"name", "ADMIN"}, {"password", "secret"}}, {{"name", "clerk"}, {"password", "pass word"}}}},
          {"procedures", {{{"name", "BIGCLIENTS"}, {"text", "SELECT ID, NAME FROM CLIENTS WHERE AMOUNT > 1000"}}}}};
}

ToolRun makeDatabase(const std::string& folder, const nlohmann::json& description) {
  const std::string descriptionFile = folder + ".json";
  qn::testing::writeFileText(descriptionFile, description.dump(2));
  return runTool({"create", folder, descriptionFile});
}

void SqlFixture::SetUp() {
  folder = qn::testing::makeScratchDir("sql") + "/LAW";
  const ToolRun made = makeDatabase(folder, standardDescription());
  ASSERT_EQ(made.exitCode, 0) << made.output;
}

void SqlFixture::TearDown() { api.reset(""); }

}  // namespace qn::sqlif::testing
