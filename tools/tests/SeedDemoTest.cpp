// `qnseed demo` into an empty folder: every record file checks clean and has the catalogue's
// length and keys, every matter is found by its matter key, the machine root leads the program to
// the data and its workstation, and the rights pass their control totals and grant everything.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>

#include "core/CompanionPrograms.h"
#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/UserRights.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/IniFile.h"
#include "platform/os/RegistryKey.h"
#include "platform/recmgr/RecordFile.h"
#include "testing/TestDirs.h"
#include "tools/Catalogue.h"
#include "tools/qnseed/Fixture.h"
#include "tools/qnseed/Templates.h"
#include "tools/tests/ToolRunner.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using qn::tools::testing::runTool;
using qn::tools::testing::toolPath;

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A key as the catalogue states it, in the form `qnrecmgr stat` reports it.
json comparableKey(const json& key) {
  json segments = json::array();
  for (const json& s : key.at("segments")) {
    json segment{{"position", s.at("position")},
                 {"length", s.at("length")},
                 {"type", s.at("type")},
                 {"descending", s.value("descending", false)},
                 {"caseInsensitive", s.value("caseInsensitive", false)}};
    for (const char* optional : {"nullValue", "acs"})
      if (s.contains(optional)) segment[optional] = s.at(optional);
    segments.push_back(segment);
  }
  return {{"duplicates", key.value("duplicates", false)}, {"modifiable", key.value("modifiable", false)}, {"segments", segments}};
}

class SeedDemo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::string(qn::testing::makeScratchDir("demo") + "/demo");
    const auto run = runTool("qnseed", {"demo", *dir_});
    ASSERT_EQ(run.exitCode, 0) << run.output;
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static fs::path data() { return fs::path(*dir_) / "data"; }
  static fs::path root() { return fs::path(*dir_) / "root"; }

  // The catalogue entry a file of the data folder belongs to: by its name, or as a template.
  const qn::catalogue::CatalogueEntry* entryOf(const std::string& name) const {
    if (const auto* entry = catalogue_.findFile(name)) return entry;
    for (const auto& t : qn::seed::templatesIn(catalogue_, qn::seed::TemplateHome::DataFolder))
      if (t.name == name) return t.entry;
    return nullptr;
  }

  qn::tools::Catalogue catalogue_ = qn::tools::loadCatalogue(QN_CATALOGUE_DIR);
  static std::string* dir_;
};

std::string* SeedDemo::dir_ = nullptr;

// Points the machine-root services of this process at the demo's root while it lives.
class DemoMachineRoot {
 public:
  explicit DemoMachineRoot(const fs::path& root) {
    if (const char* current = std::getenv("QN_ROOT")) saved_ = current;
    ::setenv("QN_ROOT", root.c_str(), 1);
  }
  ~DemoMachineRoot() {
    if (saved_)
      ::setenv("QN_ROOT", saved_->c_str(), 1);
    else
      ::unsetenv("QN_ROOT");
  }

 private:
  std::optional<std::string> saved_;
};

TEST_F(SeedDemo, EveryRecordFileChecksCleanWithTheCataloguesLengthAndKeys) {
  std::set<std::string> seen;
  for (const auto& item : fs::recursive_directory_iterator(data())) {
    if (!item.is_regular_file()) continue;
    const std::string name = fs::relative(item.path(), data()).generic_string();
    if (name == "cmdata/CLCA.IDX") continue;  // the case-manager link, a text file
    SCOPED_TRACE(name);
    const auto* entry = entryOf(name);
    ASSERT_NE(entry, nullptr) << "a file the catalogue does not know";
    seen.insert(entry->source);

    const auto check = runTool("qnrecmgr", {"check", item.path().string()});
    EXPECT_EQ(check.exitCode, 0) << check.output;
    const auto stat = runTool("qnrecmgr", {"stat", item.path().string()});
    ASSERT_EQ(stat.exitCode, 0) << stat.output;
    const json made = json::parse(stat.output);
    const json described = json::parse(catalogue_.description(*entry));
    EXPECT_EQ(made.at("recordLength"), described.at("recordLength"));
    ASSERT_EQ(made.at("keys").size(), described.at("keys").size());
    for (size_t k = 0; k < made.at("keys").size(); ++k) {
      json key = made.at("keys")[k];
      key.erase("number");
      EXPECT_EQ(key, comparableKey(described.at("keys")[k])) << "key " << k;
    }
  }
  // Every file the program opens is there; only files named per template number or case list
  // need the fixture, and the demo has one of each.
  for (const auto& entry : catalogue_.entries) EXPECT_TRUE(seen.count(entry.source)) << entry.source << " is missing";
}

TEST_F(SeedDemo, EveryMatterIsFoundByItsMatterKey) {
  const auto* entry = catalogue_.findFile("YCase.qf");
  ASSERT_NE(entry, nullptr);
  int keyNumber = -1;
  for (size_t k = 0; k < entry->keys.size(); ++k) {
    const auto& segments = entry->keys[k].segments;
    if (segments.size() == 2 && segments[0].position == 5 && segments[0].length == 7 && segments[1].position == 12 &&
        segments[1].length == 7)
      keyNumber = static_cast<int>(k);
  }
  ASSERT_GE(keyNumber, 0) << "the catalogue gives matters no client-and-suffix key";

  std::unique_ptr<qn::recmgr::RecordFile> file;
  ASSERT_EQ(qn::recmgr::RecordFile::open((data() / "YCase.qf").string(), file), qn::recmgr::status::ok);
  const qn::recmgr::KeySpec* key = file->spec().key(keyNumber);
  ASSERT_NE(key, nullptr);

  const fs::path fixture = toolPath("qnseed").parent_path() / "seed" / "demo" / "YCase.qf.seed";
  const auto matters = qn::seed::parseFixture(readText(fixture), fixture.string());
  ASSERT_GE(matters.size(), 5u);
  for (const auto& matter : matters) {
    std::string client, suffix, description;
    for (const auto& value : matter.values) {
      if (value.field == "Client Code") client = value.text;
      if (value.field == "Case Suffix") suffix = value.text.substr(value.text.find_first_not_of(' '));
      if (value.field == "Description Line 1") description = value.text;
    }
    char matterKey[15];
    std::snprintf(matterKey, sizeof matterKey, "%-7s%7s", client.c_str(), suffix.c_str());
    SCOPED_TRACE(matterKey);
    const std::string image = file->encoding().fromKeyValue(*key, reinterpret_cast<const uint8_t*>(matterKey));
    qn::recmgr::StoredRecord found;
    ASSERT_EQ(file->seek(*key, qn::recmgr::KeySeek::equal, image, 0, found), qn::recmgr::status::ok);
    EXPECT_EQ(found.bytes.substr(4, 14), matterKey);
    EXPECT_EQ(found.bytes.substr(41, description.size()), description);
  }
}

TEST_F(SeedDemo, TheMachineRootLeadsToTheDataFolderAndTheWorkstation) {
  DemoMachineRoot demoRoot(root());
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(registry.OpenKeyReadOnly(MainAliasKey));
  EXPECT_EQ(registry.ReadString("PhysicalName"), data().string());
  EXPECT_EQ(qn::os::IniFile((root() / "windows" / "Qnvantor.ini").string()).ReadString("Setup", "WSID", ""), "01");
  EXPECT_TRUE(fs::exists(data() / "Print01.QC"));
  EXPECT_TRUE(fs::exists(data() / "Tran01.s"));
  EXPECT_EQ(readText(data() / "cmdata" / "CLCA.IDX"), "01     1*\n");
}

TEST_F(SeedDemo, TheSuitesOtherProgramsAreTheSiblingsLinksInTheProgramFolder) {
  DemoMachineRoot demoRoot(root());
  const fs::path programFolder = toolPath("qnseed").parent_path();
  ProgramDir = programFolder.string();
  const std::pair<const char*, const char*> programs[] = {
      {"ClientEntry", "qnclient"},  {"AccountStatus", "qnacctst"},     {"Reporting", "qnreport"},
      {"CaseManager", "qncasemgr"}, {"CalendarExport", "qncalexp"}, {"DelinquentTracking", "qndelinq"}};
  for (const auto& [role, file] : programs) {
    SCOPED_TRACE(role);
    const fs::path path = std::string(CompanionProgramPath(role));
    EXPECT_EQ(path, programFolder / file);
    ASSERT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(fs::read_symlink(path), "qnsibling");
    EXPECT_TRUE(fs::exists(path)) << "the link leads to the sibling";
  }
}

TEST_F(SeedDemo, TheRightsPassTheirControlTotalsAndGrantEveryRightTheBitsCanGrant) {
  DemoMachineRoot demoRoot(root());
  qn::ui::testing::ScriptedMessageBoxes noBoxes;
  ASSERT_TRUE(LoadFileRights());
  ASSERT_TRUE(LoadFunctionRights());
  ASSERT_TRUE(LoadReportRights());
  for (int n = 1; n <= 99; ++n) EXPECT_EQ(FileRights[n], "Y") << "file " << n;
  const std::set<int> alwaysRefused{6, 7, 11, 12, 13, 23, 26};
  for (int n = 1; n <= 26; ++n) EXPECT_EQ(FunctionRights[n], alwaysRefused.count(n) ? "N" : "Y") << "function " << n;
  for (int n = 1; n <= 36; ++n) EXPECT_EQ(ReportRights[n], "Y") << "report " << n;
}

TEST_F(SeedDemo, AFolderThatHoldsADemoIsNotSeededAgain) {
  const auto run = runTool("qnseed", {"demo", *dir_});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("is not empty; a demo is seeded into a new folder only"), std::string::npos) << run.output;
}

}  // namespace
