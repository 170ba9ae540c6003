#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/FaultInjection.h"
#include "platform/os/IniFile.h"
#include "spell/Configuration.h"
#include "spell/DctWriter.h"
#include "testing/TestDirs.h"
#include "testing/TestFiles.h"

namespace {

constexpr SpellOptionSet kDefaults = soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated;

class ConfigurationTest : public ::testing::Test {
 protected:
  std::string dir = qn::testing::makeScratchDir("configuration");
  std::string path = dir + "/VORLEX.CFG";

  void dictionary(const std::string& name, const AnsiString& title) {
    WriteDctFile(dir + "/" + name, title, "abc", {{"abc"}});
  }
  std::unique_ptr<TConfiguration> load() {
    return std::make_unique<TConfiguration>(path, kDefaults, "default.udt", "english.dct", "vorlex");
  }
};

TEST_F(ConfigurationTest, AnEmptyFolderGivesOnlyTheDefaultUserDictionary) {
  auto configuration = load();
  EXPECT_TRUE(configuration->Loaded());
  EXPECT_TRUE(configuration->Mains().empty());
  EXPECT_EQ(configuration->Users(), (std::vector<TUser>{{dir + "/default.udt", true}}));
  EXPECT_EQ(configuration->UserIndex(), 0);
  EXPECT_EQ(configuration->Options(), kDefaults);
  EXPECT_TRUE(configuration->Modified());
  configuration.reset();
  EXPECT_TRUE(qn::os::IniFile(path).ReadBool("vorlex", "ID", false)) << "written out when released";
}

TEST_F(ConfigurationTest, ASectionWithoutIdIsBuiltFromTheFolder) {
  dictionary("English.dct", "English (US)");
  dictionary("legal.dct", "Legal terms");
  qn::testing::writeFileText(dir + "/firm.udt", "");
  qn::testing::writeFileText(dir + "/default.udt", "");
  qn::testing::writeFileText(path, "[vorlex]\nU_MU_DCT_ListCount=1\nU_MU_DCT_0=Tgone.dct\nUserIndex=5\n");
  auto configuration = load();
  EXPECT_EQ(configuration->Mains(), (std::vector<TMain>{{dir + "/English.dct", true, "English (US)"},
                                                        {dir + "/legal.dct", false, "Legal terms"}}));
  EXPECT_EQ(configuration->Users(), (std::vector<TUser>{{dir + "/default.udt", true}, {dir + "/firm.udt", false}}));
  EXPECT_EQ(configuration->UserIndex(), 0);
  EXPECT_TRUE(configuration->Modified());
}

TEST_F(ConfigurationTest, SavedSettingsLoadBackAndADeletedMainStaysInactiveInItsPlace) {
  dictionary("english.dct", "English");
  dictionary("medical.dct", "Medical");
  {
    auto configuration = load();
    ASSERT_EQ(configuration->Mains().size(), 2u);
    configuration->Mains()[1].Active = true;
    configuration->Users().push_back({dir + "/firm.udt", false});
    configuration->SetOptions(soUpcase | soQuoted | soUser3);
    configuration->SetUserIndex(1);
    ASSERT_TRUE(configuration->Save());
    EXPECT_FALSE(configuration->Modified());
  }
  std::filesystem::remove(dir + "/english.dct");
  auto configuration = load();
  EXPECT_EQ(configuration->Mains(), (std::vector<TMain>{{dir + "/english.dct", false, "English"},
                                                        {dir + "/medical.dct", true, "Medical"}}));
  EXPECT_EQ(configuration->Users(), (std::vector<TUser>{{dir + "/default.udt", true}, {dir + "/firm.udt", false}}));
  EXPECT_EQ(configuration->Options(), soUpcase | soQuoted | soUser3);
  EXPECT_EQ(configuration->UserIndex(), 1);
  EXPECT_FALSE(configuration->Modified());

  TConfiguration copy("", 0, "", "", "");
  copy.Assign(*configuration);
  EXPECT_EQ(copy.Mains(), configuration->Mains());
  EXPECT_EQ(copy.Users(), configuration->Users());
  EXPECT_EQ(copy.UserIndex(), 1);
  copy.Clear();
  EXPECT_TRUE(copy.Mains().empty());
  EXPECT_EQ(copy.UserIndex(), -1);
  EXPECT_EQ(copy.Options(), 0);
  EXPECT_FALSE(copy.Loaded());
}

TEST_F(ConfigurationTest, MissingKeysTakeTheirDefaults) {
  qn::testing::writeFileText(path, "[vorlex]\nID=1\nsoNumbers=1\nsoHTML=0\n");
  auto configuration = load();
  EXPECT_EQ(configuration->Options(),
            soUpcase | soNumbers | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated | soInternet | soQuoted);
  EXPECT_EQ(configuration->UserIndex(), -1);
  EXPECT_TRUE(configuration->Mains().empty());
  EXPECT_TRUE(configuration->Users().empty());
  EXPECT_FALSE(configuration->Modified());
}

TEST_F(ConfigurationTest, AFileThatCannotBeWrittenIsReportedOnceAndKeptInMemory) {
  // Root writes into read-only folders, so there a failed write is injected instead.
  const bool root = ::geteuid() == 0;
  ::chmod(dir.c_str(), 0555);
  {
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "Unable to save the spelling settings to " + path + ".");
    auto configuration = load();
    if (root) qn::os::injectFault(qn::os::Fault::TemporaryFlush);
    EXPECT_FALSE(configuration->Save());
    EXPECT_TRUE(configuration->Modified());
    EXPECT_EQ(configuration->UserIndex(), 0);
    if (root) qn::os::injectFault(qn::os::Fault::TemporaryFlush);
    configuration.reset();  // tries again, silently
  }
  ::chmod(dir.c_str(), 0755);
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
