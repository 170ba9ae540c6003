// The spell engine's settings at start-up and the engine library being told its registry key. The
// program folder is a scratch folder of the test's, so the lexicon files can be put there or not.
#include <filesystem>
#include <fstream>

#include "casewindow/SpellEngineSetup.h"
#include "casewindow/tests/DemoStartFixture.h"
#include "core/Constants.h"
#include "core/Globals.h"
#include "core/SpellEngine.h"
#include "platform/os/FaultInjection.h"

namespace casewindow_test {
namespace {

class SpellEngineSetupTest : public DemoStartFixture {
 protected:
  void SetUp() override {
    DemoStartFixture::SetUp();
    programFolder = qn::testing::makeScratchDir("program");
    programExecutable.emplace(programFolder + "/qncases");
    startWith({"250101"});
    ASSERT_EQ(ProgramDir, programFolder);
  }

  void TearDown() override {
    programExecutable.reset();
    DemoStartFixture::TearDown();
  }

  void putLexiconFiles() {
    for (const char* file : {"ssceam.tlx", "ssceam2.clx", "SSCE.hlp"}) std::ofstream(programFolder + "/" + file) << "x";
  }
  void setSpelling(const AnsiString& name, const AnsiString& value) {
    core_test::writeMachineString(SpellingKey, name, value);
  }
  AnsiString spelling(const AnsiString& name) { return core_test::machineValue(SpellingKey, name); }
  void markAllOld() {
    for (const char* name : {"MainLexPath", "MainLexFiles", "UserLexPath", "UserLexFiles", "MemBudget", "HelpFile"})
      setSpelling(name, "old");
  }
  AnsiString missingFilesWarning() const {
    return "Quillon cannot find the spell checker files that it needs.\r\r"
           "They may be downloaded from the Vantor, Inc. web site, unzipped and placed in the program folder: " +
           AnsiString(programFolder) + ".\r\rThe Spell Checker will not function until this is accomplished.";
  }

  std::string programFolder;
  std::optional<qn::os::ExecutablePathOverride> programExecutable;
};

TEST_F(SpellEngineSetupTest, NoStoredPathAndNoFilesWarnsAndStoresTheSixValues) {
  markAllOld();
  setSpelling("MainLexPath", "");
  boxes->expect(mtWarning, missingFilesWarning());
  SetupSpellEngine();
  EXPECT_EQ(spelling("MainLexPath"), programFolder);
  EXPECT_EQ(spelling("MainLexFiles"), "ssceam.tlx,ssceam2.clx");
  EXPECT_EQ(spelling("UserLexPath"), programFolder);
  EXPECT_EQ(spelling("UserLexFiles"), "correct.tlx,userdic.tlx");
  EXPECT_EQ(spelling("MemBudget"), "-1");
  EXPECT_EQ(core_test::machineValue(SpellingKey, "HelpFile"), AnsiString(programFolder) + "\\SSCE.hlp");
}

TEST_F(SpellEngineSetupTest, NoStoredPathWithTheFilesPresentStoresWithoutAWarning) {
  putLexiconFiles();
  markAllOld();
  setSpelling("MainLexPath", "");
  SetupSpellEngine();
  EXPECT_EQ(spelling("MainLexPath"), programFolder);
  EXPECT_EQ(spelling("HelpFile"), AnsiString(programFolder) + "\\SSCE.hlp");
}

TEST_F(SpellEngineSetupTest, AFailingWriteStopsTheRest) {
  markAllOld();
  setSpelling("MainLexPath", "");
  qn::os::injectFault(qn::os::Fault::HiveWrite);
  boxes->expect(mtWarning, missingFilesWarning())
      .expect(mtInformation, "Unable to reset the 'MainLexPath' value at this time." + ContactSupportText);
  SetupSpellEngine();
  EXPECT_EQ(spelling("MainLexPath"), "");
  for (const char* name : {"MainLexFiles", "UserLexPath", "UserLexFiles", "MemBudget", "HelpFile"})
    EXPECT_EQ(spelling(name), "old") << name;
}

TEST_F(SpellEngineSetupTest, AStoredPathIsRewrittenOnlyWhenTheFilesAreHereAndThePathIsAnother) {
  struct Case {
    bool files;
    AnsiString stored;
    bool rewritten;
  };
  std::string upper = programFolder;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const Case& c : {Case{true, "/elsewhere", true}, Case{true, upper, false}, Case{false, "/elsewhere", false}}) {
    SCOPED_TRACE(c.stored);
    std::filesystem::remove_all(programFolder);
    std::filesystem::create_directories(programFolder);
    if (c.files) putLexiconFiles();
    markAllOld();
    setSpelling("MainLexPath", c.stored);
    SetupSpellEngine();
    EXPECT_EQ(spelling("MainLexPath"), c.rewritten ? AnsiString(programFolder) : c.stored);
    EXPECT_EQ(spelling("MainLexFiles"), c.rewritten ? "ssceam.tlx,ssceam2.clx" : "old");
  }
}

TEST_F(SpellEngineSetupTest, TheEngineIsToldItsRegistryKey) {
  putLexiconFiles();
  SetupSpellEngine();
  const SpellEngineCalls* engine = LoadedSpellEngine();
  ASSERT_NE(engine, nullptr) << "libssce5432.so in the program folder";
  ASSERT_NE(engine->RegistryTree, nullptr);
  EXPECT_STREQ(engine->RegistryTree(), "HKEY_LOCAL_MACHINE\\Software\\Vantor\\Quillon\\Spelling");
  EXPECT_EQ(LoadedSpellEngine(), engine) << "loaded once";
}

TEST_F(SpellEngineSetupTest, TheWindowsShowSetsUpTheEngine) {
  putLexiconFiles();
  setSpelling("MainLexPath", "/elsewhere");
  show();
  EXPECT_EQ(spelling("MainLexPath"), programFolder);
  EXPECT_STREQ(LoadedSpellEngine()->RegistryTree(), SpellingRegistryTree);
}

}  // namespace
}  // namespace casewindow_test
