#include <gtest/gtest.h>

#include <QTabBar>
#include <QTest>

#include "framework/base/Exception.h"
#include "framework/ui/PageControl.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/tests/TestControls.h"

namespace qn::ui::testing {
namespace {

class PagesAndTabsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApplication();
    form = new TTestForm;
  }
  void TearDown() override { delete form; }
  void showActive() {
    form->Show();
    form->Window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Window()));
  }
  static void clickTab(TabStrip* strip, int index) {
    auto* bar = static_cast<QTabBar*>(strip->Window());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
  }
  std::vector<bool> visiblePages(PageStack* stack) {
    std::vector<bool> visible;
    for (int i = 0; i < stack->PageCount(); ++i) visible.push_back(stack->Pages(i)->Visible());
    return visible;
  }

  TTestForm* form;
  Log log;
};

TEST_F(PagesAndTabsTest, ATabStripWhoseHandlerRefusesKeepsItsIndex) {
  auto* strip = new TabStrip(form);
  strip->SetParent(form);
  for (const char* tab : {"Narr. code", "Task", "Activity"}) strip->Tabs()->Add(tab);
  bool allow = false;
  strip->OnChanging = [&](TObject*, bool& AllowChange) {
    log.push_back("changing from " + std::to_string(strip->TabIndex()));
    AllowChange = allow;
  };
  strip->OnChange = [&](TObject*) { log.push_back("change to " + std::to_string(strip->TabIndex())); };
  showActive();
  EXPECT_EQ(strip->TabIndex(), 0);
  clickTab(strip, 2);
  EXPECT_EQ(strip->TabIndex(), 0);
  EXPECT_EQ(static_cast<QTabBar*>(strip->Window())->currentIndex(), 0) << "the strip still shows the first tab";
  allow = true;
  clickTab(strip, 2);
  EXPECT_EQ(strip->TabIndex(), 2);
  strip->SetFocus();
  QTest::keyClick(strip->Window(), Qt::Key_Left);
  EXPECT_EQ(strip->TabIndex(), 1);
  strip->SetTabIndex(0);
  EXPECT_EQ(log, (Log{"changing from 0", "changing from 0", "change to 2", "changing from 2", "change to 1"}))
      << "a change by code asks nothing";
  EXPECT_THROW(strip->SetTabIndex(3), EListError);
  EXPECT_EQ(strip->TabIndex(), 0);
}

TEST_F(PagesAndTabsTest, APageStackShowsOnePageChosenByIndexOrByName) {
  auto* stack = new PageStack(form);
  stack->SetParent(form);
  StackPage* general = stack->AddPage("General");
  stack->AddPage("Spelling");
  stack->AddPage("Dictionaries");
  stack->OnPageChanged = [&](TObject*) { log.push_back(stack->ActivePageName()); };
  EXPECT_EQ(visiblePages(stack), (std::vector<bool>{true, false, false})) << "the first page shows";
  stack->SetActivePageName("dictionaries");
  EXPECT_EQ(stack->PageIndex(), 2);
  EXPECT_EQ(visiblePages(stack), (std::vector<bool>{false, false, true}));
  EXPECT_THROW(stack->SetActivePageName("Printing"), EListError);
  EXPECT_THROW(stack->SetPageIndex(3), EListError);
  EXPECT_EQ(stack->PageIndex(), 2) << "a bad choice keeps the page";
  stack->SetPageIndex(1);
  EXPECT_EQ(general->PageIndex(), 0);
  EXPECT_EQ(stack->Pages(1)->BoundsRect().Width(), stack->ClientWidth()) << "a page fills the stack";
  delete stack->Pages(1);
  EXPECT_EQ(stack->ActivePageName(), "General") << "the page before the one freed shows";
  EXPECT_TRUE(general->Visible());
  EXPECT_EQ(log, (Log{"Dictionaries", "Spelling", "General"}));
}

TEST_F(PagesAndTabsTest, APageControlShowsThePageOfTheChosenTabUnlessRefused) {
  auto* pages = new PageControl(form);
  pages->SetParent(form);
  pages->SetBounds(0, 0, 300, 200);
  StackPage* options = pages->AddPage("Options");
  StackPage* words = pages->AddPage("Words");
  bool allow = true;
  pages->OnChanging = [&](TObject*, bool& AllowChange) { AllowChange = allow; };
  pages->OnChange = [&](TObject*) { log.push_back("change " + pages->ActivePageName()); };
  showActive();
  EXPECT_EQ(pages->Tabs()->Tabs()->CommaText(), "Options,Words");
  EXPECT_GT(options->Top(), 0) << "the page lies under the tabs";
  clickTab(pages->Tabs(), 1);
  EXPECT_EQ(pages->ActivePage(), words);
  EXPECT_FALSE(options->Visible());
  allow = false;
  clickTab(pages->Tabs(), 0);
  EXPECT_EQ(pages->ActivePage(), words);
  EXPECT_EQ(pages->Tabs()->TabIndex(), 1);
  words->SetCaption("Word list");
  EXPECT_EQ(pages->Tabs()->Tabs()->Get(1), "Word list");
  pages->SetActivePage(options);
  EXPECT_EQ(pages->Tabs()->TabIndex(), 0) << "the tab follows the page shown by code";
  EXPECT_EQ(log, (Log{"change Words"}));
}

}  // namespace
}  // namespace qn::ui::testing
