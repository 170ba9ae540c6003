// The spell checker's files that `qnseed templates` writes into the program folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "platform/spellengine/SystemDictionaries.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"
#include "tools/qnseed/SpellFiles.h"
#include "tools/tests/ToolRunner.h"

namespace {
namespace fs = std::filesystem;
using qn::testing::readFileText;
using qn::testing::writeFileText;
using qn::tools::testing::runTool;

TEST(SeedSpellFiles, AnEmptyFolderGetsThePointersTheHelpAndTheConfiguration) {
  const std::optional<std::string> english = qn::spellengine::systemDictionary("en_US");
  ASSERT_TRUE(english) << "hunspell-en-us is not installed";
  const fs::path dir = qn::testing::makeScratchDir("seed-spell");
  const auto run = runTool("qnseed", {"templates", dir.string()});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(readFileText((dir / "ssceam.tlx").string()), *english + "\n");
  EXPECT_TRUE(fs::exists(dir / "ssceam2.clx"));
  EXPECT_EQ(fs::file_size(dir / "ssceam2.clx"), 0u);
  EXPECT_NE(readFileText((dir / "SSCE.hlp").string()).find("<html"), std::string::npos);
  EXPECT_EQ(readFileText((dir / "VORLEX.CFG").string()), "[vorlex]\nID=1\n");
  EXPECT_FALSE(fs::exists(dir / "userdic.tlx"));
  EXPECT_FALSE(fs::exists(dir / "correct.tlx"));
}

TEST(SeedSpellFiles, ARunAgainKeepsTheUsersWordsAndSettings) {
  const fs::path dir = qn::testing::makeScratchDir("seed-spell-again");
  const std::string words = "[Added]\r\nIGN_ListCount=1\r\nIGN_0=Quillon\r\n";
  const std::string corrections = "[Auto Correct]\r\nAC_ListCount=1\r\nAC_0=teh@@@the\r\n";
  const std::string settings = "[vorlex]\nID=1\nsoUpcase=0\nUserIndex=0\n";
  writeFileText((dir / "userdic.tlx").string(), words);
  writeFileText((dir / "correct.tlx").string(), corrections);
  writeFileText((dir / "vorlex.cfg").string(), settings);
  const auto run = runTool("qnseed", {"templates", dir.string()});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(readFileText((dir / "userdic.tlx").string()), words);
  EXPECT_EQ(readFileText((dir / "correct.tlx").string()), corrections);
  EXPECT_EQ(readFileText((dir / "vorlex.cfg").string()), settings);
  EXPECT_FALSE(fs::exists(dir / "VORLEX.CFG") && !fs::equivalent(dir / "VORLEX.CFG", dir / "vorlex.cfg"))
      << "no second configuration beside the user's";
}

TEST(SeedSpellFiles, WithoutAnEnglishDictionaryThereIsNoMainPointerAndTheUserHearsWhy) {
  const fs::path dir = qn::testing::makeScratchDir("seed-spell-no-english");
  std::ostringstream warnings;
  qn::seed::writeSpellFiles(dir, std::nullopt, warnings);
  EXPECT_EQ(warnings.str(), "No en_US Hunspell dictionary found; install hunspell-en-us.\n");
  EXPECT_FALSE(fs::exists(dir / "ssceam.tlx"));
  for (const char* name : {"ssceam2.clx", "SSCE.hlp", "VORLEX.CFG"}) EXPECT_TRUE(fs::exists(dir / name)) << name;
}

TEST(SeedSpellFiles, TheBuildsProgramFolderHasThem) {
  const fs::path folder = qn::tools::testing::toolPath("qnseed").parent_path();
  for (const char* name : {"ssceam.tlx", "ssceam2.clx", "SSCE.hlp", "VORLEX.CFG"})
    EXPECT_TRUE(fs::exists(folder / name)) << name;
}

}  // namespace
