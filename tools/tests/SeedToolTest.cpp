// The data and templates commands of qnseed as a test or a build runs them.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <strings.h>

#include "platform/recmgr/RecordFile.h"
#include "testing/TestDirs.h"
#include "tools/Catalogue.h"
#include "tools/qnseed/Templates.h"
#include "tools/tests/ToolRunner.h"

namespace {

namespace fs = std::filesystem;
using qn::tools::testing::runTool;
using qn::tools::testing::toolPath;

void writeFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

long filesIn(const fs::path& dir) {
  return fs::exists(dir) ? std::distance(fs::directory_iterator(dir), fs::directory_iterator()) : 0;
}

std::vector<std::string> recordsOf(const fs::path& path, int keyNumber) {
  std::unique_ptr<qn::recmgr::RecordFile> file;
  EXPECT_EQ(qn::recmgr::RecordFile::open(path.string(), file), qn::recmgr::status::ok) << path;
  std::vector<std::string> out;
  if (!file) return out;
  const qn::recmgr::KeySpec* key = file->spec().key(keyNumber);
  qn::recmgr::StoredRecord record;
  for (auto s = file->seek(*key, qn::recmgr::KeySeek::first, {}, 0, record); s == qn::recmgr::status::ok;
       s = file->seek(*key, qn::recmgr::KeySeek::next, *record.image, record.stamp, record))
    out.push_back(record.bytes);
  return out;
}

TEST(SeedTool, DataMakesTheFixturesFilesInTheDataFolder) {
  const fs::path dir = qn::testing::makeScratchDir("seed-data");
  writeFile(dir / "fixture" / "YEmpl.qf.seed",
            "Employee Code = ZED\nEmployee Last Name = Zimmer\n\nEmployee Code = AMB\nEmployee Last Name = Brooks\n");
  writeFile(dir / "fixture" / "cmdata" / "master.dsc.seed", "TemplateName = Matter e-mail\nTemplateNumber = \"  1\"\n");
  const auto run = runTool("qnseed", {"data", (dir / "data").string(), (dir / "fixture").string()});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "YEmpl.qf\ncmdata/master.dsc\n");

  const auto employees = recordsOf(dir / "data" / "YEmpl.qf", 1);
  ASSERT_EQ(employees.size(), 2u);
  EXPECT_EQ(employees[0].substr(4, 4), "AMB ");
  EXPECT_EQ(employees[1].substr(4, 29), "ZED Zimmer" + std::string(19, ' '));
  EXPECT_EQ(recordsOf(dir / "data" / "cmdata" / "master.dsc", 1).at(0).substr(34, 3), "  1");
}

TEST(SeedTool, ARefusedFixtureNamesFileLineAndFieldAndMakesNothing) {
  const fs::path dir = qn::testing::makeScratchDir("seed-refused");
  writeFile(dir / "fixture" / "Sysop.qc.seed", "DateFmt = M\n");
  writeFile(dir / "fixture" / "YCase.qf.seed", "Client Code = ADAMS\n\nClient Code = BAKER\nDate Opened = 2024-13-01\n");
  const auto run = runTool("qnseed", {"data", (dir / "data").string(), (dir / "fixture").string()});
  EXPECT_EQ(run.exitCode, 1);
  const std::string file = (dir / "fixture" / "YCase.qf.seed").string();
  EXPECT_EQ(run.output, "qnseed: " + file + ":4: field 'Date Opened': \"2024-13-01\" is not a date of the calendar\n");
  EXPECT_FALSE(fs::exists(dir / "data" / "Sysop.qc"));
}

TEST(SeedTool, DataRefusesUnknownFilesDuplicateKeysAndExistingFilesLeavingTheFolderAsItWas) {
  const fs::path dir = qn::testing::makeScratchDir("seed-files");
  writeFile(dir / "unknown" / "Nothing.qf.seed", "A = b\n");
  writeFile(dir / "twice" / "Sysop.qc.seed", "DateFmt = M\n");
  writeFile(dir / "twice" / "YEmpl.qf.seed", "Employee Code = AMB\n\n\nEmployee Code = AMB\n");
  writeFile(dir / "once" / "YEmpl.qf.seed", "Employee Code = AMB\n");
  ASSERT_EQ(runTool("qnseed", {"data", (dir / "data").string(), (dir / "once").string()}).exitCode, 0);
  struct Case {
    const char* fixture;
    std::string message;
  } cases[] = {
      {"unknown", (dir / "unknown" / "Nothing.qf.seed").string() + ": the catalogue knows no record file named Nothing.qf"},
      {"twice", (dir / "twice" / "YEmpl.qf.seed").string() +
                    ":4: the record manager refused the record: status 5 (a key that must be unique is already taken)"},
      {"once", (dir / "once-data" / "YEmpl.qf").string() + " exists already; seeding never overwrites data"},
  };
  for (const Case& c : cases) {
    const fs::path data = dir / (std::string(c.fixture) + "-data");
    if (c.fixture == std::string("once")) fs::copy(dir / "data", data);
    const auto run = runTool("qnseed", {"data", data.string(), (dir / c.fixture).string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "qnseed: " + c.message + "\n") << c.fixture;
    EXPECT_EQ(filesIn(data), c.fixture == std::string("once") ? 1 : 0) << c.fixture;
  }
}

TEST(SeedTool, ARefusedFixtureTakesTheFoldersItMadeAwayToo) {
  const fs::path dir = qn::testing::makeScratchDir("seed-folders");
  writeFile(dir / "fixture" / "YEmpl.qf.seed", "Employee Code = AMB\n");
  writeFile(dir / "fixture" / "cmdata" / "master.dsc.seed", "TemplateNumber = \"  1\"\n\nTemplateNumber = \"  1\"\n");
  const auto run = runTool("qnseed", {"data", (dir / "data").string(), (dir / "fixture").string()});
  EXPECT_EQ(run.exitCode, 1) << run.output;
  EXPECT_FALSE(fs::exists(dir / "data")) << "a data folder that was not there before stays away";

  fs::create_directories(dir / "kept");
  EXPECT_EQ(runTool("qnseed", {"data", (dir / "kept").string(), (dir / "fixture").string()}).exitCode, 1);
  EXPECT_TRUE(fs::exists(dir / "kept"));
  EXPECT_EQ(filesIn(dir / "kept"), 0);
}

// The program finds a file whatever the letter case of its name, so a file of the same name in
// another case is the same file to it.
TEST(SeedTool, AFileInAnotherLetterCaseIsTheSameFile) {
  const fs::path dir = qn::testing::makeScratchDir("seed-case");
  writeFile(dir / "fixture" / "yempl.qf.seed", "Employee Code = AMB\n");
  writeFile(dir / "data" / "YEMPL.QF", "");
  const auto run = runTool("qnseed", {"data", (dir / "data").string(), (dir / "fixture").string()});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.output, "qnseed: " + (dir / "data" / "yempl.qf").string() + " exists already; seeding never overwrites data\n");

  ASSERT_EQ(runTool("qnseed", {"demo", (dir / "demo").string(), "--fixture", (dir / "fixture").string()}).exitCode, 0);
  std::vector<std::string> employees;
  for (const auto& item : fs::directory_iterator(dir / "demo" / "data"))
    if (strcasecmp(item.path().filename().c_str(), "yempl.qf") == 0) employees.push_back(item.path().filename());
  EXPECT_EQ(employees, std::vector<std::string>{"yempl.qf"}) << "the seeded file, and no empty one beside it";
}

TEST(SeedTool, TemplatesAreTheEmptyFilesTheProgramCopiesFromItsFolder) {
  const auto catalogue = qn::tools::loadCatalogue(QN_CATALOGUE_DIR);
  const auto templates = qn::seed::templatesIn(catalogue, qn::seed::TemplateHome::ProgramFolder);
  std::set<std::string> names;
  for (const auto& t : templates) names.insert(t.name);
  for (const char* expected : {"Tran.clo", "Glac.clo", "Print.clo", "Ycase.clo", "Yclient.clo", "CDesc.clo", "caseaddr.clo"})
    EXPECT_TRUE(names.count(expected)) << expected;
  EXPECT_FALSE(names.count("NOTE.CLO")) << "kept in the data folder";

  const fs::path dir = qn::testing::makeScratchDir("seed-templates");
  const auto run = runTool("qnseed", {"templates", dir.string()});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  for (const auto& t : templates)
    for (const fs::path& folder : {dir, toolPath("qnseed").parent_path()}) {
      SCOPED_TRACE((folder / t.name).string());
      std::unique_ptr<qn::recmgr::RecordFile> file;
      ASSERT_EQ(qn::recmgr::RecordFile::open((folder / t.name).string(), file), qn::recmgr::status::ok);
      EXPECT_EQ(file->spec().recordLength, static_cast<uint32_t>(t.entry->recordLength));
      EXPECT_EQ(file->spec().keys.size(), t.entry->keys.size());
      uint32_t count = 1;
      ASSERT_EQ(file->recordCount(count), qn::recmgr::status::ok);
      EXPECT_EQ(count, 0u);
    }
}

}  // namespace
