// What the main window's unit reads before the main block: the alias, the size option, the
// workstation, the program folder and the hide flags.
#include "casewindow/tests/DemoStartFixture.h"
#include "core/Constants.h"
#include "core/Globals.h"
#include "platform/os/FaultInjection.h"

namespace casewindow_test {
namespace {

using StartSettingsTest = DemoStartFixture;

TEST_F(StartSettingsTest, TheDemoGivesItsAliasWorkstationAndProgramFolder) {
  startWith({"250101"});
  EXPECT_EQ(AliasDescription, "Quillon demo data");
  EXPECT_EQ(LookupDataDir, dataDir());
  EXPECT_EQ(DataDir, dataDir());
  EXPECT_EQ(WorkstationId.size(), 2u);
  EXPECT_EQ(ProgramDir, testProgramFolder());
  EXPECT_EQ(LookupProgramDir, testProgramFolder());
}

TEST_F(StartSettingsTest, TheSizeOptionIsAWholeNumberAndAnythingElseCountsAsZero) {
  for (auto [stored, option] : {std::pair{"1", 1}, std::pair{"2", 2}, std::pair{"x", 0}, std::pair{"1.5", 0}}) {
    SCOPED_TRACE(stored);
    setHost("CaFormSize", stored);
    FormSizeOption = -1;
    startWith({"250101"});
    EXPECT_EQ(FormSizeOption, option);
    EXPECT_EQ(host("CaFormSize"), stored);
  }
}

TEST_F(StartSettingsTest, AnEmptySizeOptionIsWrittenBackAsZero) {
  setHost("CaFormSize", "");
  FormSizeOption = -1;
  startWith({"250101"});
  EXPECT_EQ(FormSizeOption, 0);
  EXPECT_EQ(host("CaFormSize"), "0");
}

TEST_F(StartSettingsTest, ASizeOptionThatCannotBeWrittenBackIsReportedAndCountsAsZero) {
  setHost("CaFormSize", "");
  FormSizeOption = -1;
  qn::os::injectFault(qn::os::Fault::HiveWrite);
  boxes->expect(mtInformation, "Unable to reset the 'CaFormSize' value at this time." + ContactSupportText)
      .expect(mtInformation, "Unable to store CaFormSize value at this time.\r\r" + ContactSupportText);
  startWith({"250101"});
  EXPECT_EQ(FormSizeOption, 0);
  EXPECT_EQ(host("CaFormSize"), "");
}

TEST_F(StartSettingsTest, TheHideFlagsAreReadInACaseStartOnly) {
  setHost("HideClosedCasesOnMatterScreen", "Y");
  setHost("HideInactiveClientsOnMatterScreen", "Y");
  startWith({"250101d"});
  EXPECT_FALSE(HideClosedCases);
  EXPECT_FALSE(HideInactiveClients);
  startWith({"250101"});
  EXPECT_TRUE(HideClosedCases);
  EXPECT_TRUE(HideInactiveClients);
}

}  // namespace
}  // namespace casewindow_test
