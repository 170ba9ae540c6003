#include "core/RegFallback.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/Settings.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "testing/TestDirs.h"

namespace {

using qn::ui::testing::ScriptedMessageBoxes;

// A main form of the given name beside a reg.tmp of the given lines, for the test's lifetime.
class RegFallbackTest : public ::testing::Test {
 protected:
  void SetUp() override { ProgramDir = qn::testing::makeScratchDir("program"); }
  void TearDown() override { Application->SetMainForm(nullptr); }

  void mainFormNamed(const AnsiString& name) {
    form_.SetName(name);
    Application->SetMainForm(&form_);
  }
  void regTmp(const std::string& text) { std::ofstream(ProgramDir + "/reg.tmp", std::ios::binary) << text; }

  TComponent form_{nullptr};
};

const AnsiString kFormSizeLine = HostKey + "\\CaFormSize=";

TEST_F(RegFallbackTest, AProgramWithMainFormForm1ReadsTheFirstLineOfTheSetting) {
  mainFormNamed("Form1");
  regTmp(kFormSizeLine + "120\r\n" + kFormSizeLine + "99\r\n");
  AnsiString value;
  EXPECT_TRUE(ReadRegFallback(HostKey, "CaFormSize", value));
  EXPECT_EQ(value, "120");
}

TEST_F(RegFallbackTest, ANameDoesNotMatchTheLineOfALongerName) {
  mainFormNamed("Form1");
  regTmp(HostKey + "\\CaFormSizeMax=800\n" + kFormSizeLine + "120\n");
  AnsiString value;
  EXPECT_TRUE(ReadRegFallback(HostKey, "CaFormSize", value));
  EXPECT_EQ(value, "120");
}

TEST_F(RegFallbackTest, NoAnswerWithoutAValue) {
  struct Case {
    const char* what;
    AnsiString formName;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"another main form", "CaseF", kFormSizeLine + "120\n"},
      {"the name in another case", "form1", kFormSizeLine + "120\n"},
      {"an empty value", "Form1", kFormSizeLine + "\n"},
      {"no line for the name", "Form1", HostKey + "\\EntryMode=C\n"},
      {"the name under another key", "Form1", RemoteKey + "\\CaFormSize=120\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    mainFormNamed(c.formName);
    regTmp(c.text);
    AnsiString value = "untouched";
    EXPECT_FALSE(ReadRegFallback(HostKey, "CaFormSize", value));
    EXPECT_EQ(value, "untouched");
  }
}

TEST_F(RegFallbackTest, NoAnswerWithoutAMainFormOrAFile) {
  AnsiString value;
  regTmp(kFormSizeLine + "120\n");
  EXPECT_FALSE(ReadRegFallback(HostKey, "CaFormSize", value)) << "no main form";
  mainFormNamed("Form1");
  std::remove((ProgramDir + "/reg.tmp").c_str());
  EXPECT_FALSE(ReadRegFallback(HostKey, "CaFormSize", value)) << "no reg.tmp";
}

TEST_F(RegFallbackTest, ASettingsKeyThatDoesNotOpenIsReadFromTheFile) {
  mainFormNamed("Form1");
  regTmp(kFormSizeLine + "120\n" + RemoteKey + "\\BatchPrinter=Laser\n");
  ScriptedMessageBoxes boxes;
  EXPECT_EQ(ReadSetting("CaFormSize", false), "120");
  EXPECT_EQ(ReadSetting("BPRINTER", false), "Laser");
  boxes.expect(mtInformation, "Not able to read the 'EntryMode' value from the registry at this time."
                              "Please contact Vantor, Inc. for assistance.");
  EXPECT_EQ(ReadSetting("EntryMode", false), "");
}

}  // namespace
