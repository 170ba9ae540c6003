// The main window's idle handler: the code panels open one per idle cycle in a fixed order, and
// the warning flash swaps the colours of the lines and the button panel every 500 ms.
#include "casewindow/tests/DemoStartFixture.h"
#include "casewindow/tests/TestPanels.h"
#include "framework/ui/Panel.h"

namespace casewindow_test {
namespace {

class IdleTest : public DemoStartFixture {
 protected:
  // Runs idle cycles until nothing more opens (at most a few more than there are stages).
  void runIdleCycles(int cycles) {
    for (int i = 0; i < cycles; ++i) ASSERT_TRUE(Application->runUntilIdle());
  }

  std::vector<std::string> opened;
};

TEST_F(IdleTest, OnePanelOpensPerIdleCycleInOrderAndAnAbsentOneIsSkipped) {
  createTestPanels({"CaType3F", "StMsgF", "DepartmentF", "CaType2F", "CaType1F", "RA2F", "RA1F"}, opened);
  startWith({"250101"});
  show();
  const std::vector<std::string> order = {"RA1F", "RA2F", "CaType1F", "CaType2F", "DepartmentF", "StMsgF", "CaType3F"};
  for (std::size_t i = 0; i < order.size(); ++i) {
    runIdleCycles(1);
    ASSERT_EQ(opened.size(), i + 1) << "one per cycle";
    EXPECT_EQ(opened.back(), order[i]);
  }
  EXPECT_EQ(PanelInitStep, 8);
  runIdleCycles(3);
  EXPECT_EQ(opened, order) << "nothing opens after the last stage";
}

TEST_F(IdleTest, TheCalendarOpensNothingAfterTheDepartment) {
  createTestPanels({"RA1F", "RA2F", "CaType1F", "CaType2F", "DepartmentF", "RA3F", "StMsgF", "CaType3F"}, opened);
  startWith({"250101d"});
  show();
  runIdleCycles(10);
  EXPECT_EQ(opened, (std::vector<std::string>{"RA1F", "RA2F", "CaType1F", "CaType2F", "DepartmentF"}));
  EXPECT_EQ(PanelInitStep, 8);
}

TEST_F(IdleTest, NothingHappensOnceTheCodeTablesFailed) {
  createTestPanels({"RA1F", "RA2F"}, opened);
  startWith({"250101"});
  show();
  CodeTablesOpenFailed = true;
  caseF->WarningFlash = true;
  const TColor top = caseF->PanelTopLine->Color();
  const std::uint64_t before = clock.milliseconds();
  runIdleCycles(3);
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(PanelInitStep, 0);
  EXPECT_EQ(caseF->PanelTopLine->Color(), top);
  EXPECT_EQ(clock.milliseconds(), before);
}

TEST_F(IdleTest, TheWarningFlashSwapsTheColoursEvery500Milliseconds) {
  startWith({"250101"});
  show();
  caseF->WarningFlash = true;
  std::uint64_t before = clock.milliseconds();
  runIdleCycles(1);
  EXPECT_EQ(clock.milliseconds() - before, 500u) << "slept on the framework's clock";
  EXPECT_EQ(caseF->PanelTopLine->Color(), clRed);
  EXPECT_EQ(caseF->PanelBottomLine->Color(), clBlue);
  EXPECT_EQ(caseF->PanelButtons->Color(), clBlue);
  before = clock.milliseconds();
  runIdleCycles(1);
  EXPECT_EQ(clock.milliseconds() - before, 500u);
  EXPECT_EQ(caseF->PanelTopLine->Color(), clBlue);
  EXPECT_EQ(caseF->PanelBottomLine->Color(), clRed);
  EXPECT_EQ(caseF->PanelButtons->Color(), clRed);
}

TEST_F(IdleTest, NearTheTickCountsWrapTheFlashDoesNotWait) {
  clock.setMilliseconds(0xFFFFFFFFull - 100);
  startWith({"250101"});
  show();
  caseF->WarningFlash = true;
  const std::uint64_t before = clock.milliseconds();
  runIdleCycles(1);
  EXPECT_EQ(clock.milliseconds(), before);
  EXPECT_EQ(caseF->PanelTopLine->Color(), clRed);
}

}  // namespace
}  // namespace casewindow_test
