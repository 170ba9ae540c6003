// Which navigator buttons are enabled in each state of the table behind them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "datagrid/tests/NavigatorFixture.h"

namespace navigatortest {
namespace {

class DBNavigatorEnablingTest : public NavigatorTest {};

struct EnablingCase {
  const char* state;
  std::function<void(TdcTbTable& table, TdcDBNavigator& navigator)> arrange;
  // First, PriorPage, Prior, Next, NextPage, Last, Insert, Delete, Edit, Post, Cancel, Refresh,
  // SaveBookmark, RestoreBookmark.
  const char* enabled;
};

TEST_F(DBNavigatorEnablingTest, EachStyleFollowsTheStateOfTheTable) {
  const std::vector<EnablingCase> cases{
      {"no data source", [](TdcTbTable& table, TdcDBNavigator& navigator) { navigator.SetDataSource(nullptr); }, "00000000000000"},
      {"inactive", [](TdcTbTable&, TdcDBNavigator&) {}, "00000000000000"},
      {"at the beginning", [](TdcTbTable& table, TdcDBNavigator& navigator) { table.Open(); }, "00011111100111"},
      {"at the end",
       [](TdcTbTable& table, TdcDBNavigator& navigator) {
         table.Open();
         table.Last();
       },
       "11100011100111"},
      {"browsing",
       [](TdcTbTable& table, TdcDBNavigator& navigator) {
         table.Open();
         table.MoveBy(5);
       },
       "11111111100111"},
      {"editing",
       [](TdcTbTable& table, TdcDBNavigator& navigator) {
         table.Open();
         table.MoveBy(5);
         table.Edit();
       },
       "11111111011111"},
      {"a read-only table",
       [](TdcTbTable& table, TdcDBNavigator& navigator) {
         table.SetReadOnly(true);
         table.Open();
         table.MoveBy(5);
       },
       "11111100000011"},
  };
  for (const EnablingCase& c : cases) {
    SCOPED_TRACE(c.state);
    table->Close();
    table->SetReadOnly(false);
    navigator->SetDataSource(source);
    c.arrange(*table, *navigator);
    // Restore bookmark only after a save: mark the case's last column accordingly.
    std::string expected = c.enabled;
    expected.back() = '0';
    EXPECT_EQ(enabledStates(), expected);
    if (table->Active()) {
      navigator->SaveBookmark(table);
      EXPECT_EQ(enabledStates(), c.enabled);
    }
    navigator->DropBookmarks(table);
    if (table->State() == dsEdit) table->Cancel();
  }
}

TEST_F(DBNavigatorEnablingTest, CustomButtonsAreLeftAsTheFormSetThemButFollowTheNavigatorsEnabled) {
  TdcNavButton* custom = navigator->Buttons()->AddButton(nbsCustom);
  table->Open();
  custom->SetEnabled(false);
  table->Next();
  table->Edit();
  table->Cancel();
  EXPECT_FALSE(custom->Enabled()) << "record and editing changes leave a custom button alone";
  custom->SetEnabled(true);
  table->Last();
  EXPECT_TRUE(custom->Enabled());

  navigator->SetEnabled(false);
  EXPECT_FALSE(custom->Enabled());
  EXPECT_EQ(enabledStates(), "00000000000000");
  table->First();
  EXPECT_EQ(enabledStates(), "00000000000000") << "a disabled navigator keeps its buttons disabled";
  navigator->SetEnabled(true);
  EXPECT_TRUE(custom->Enabled());
  EXPECT_EQ(enabledStates(), "00011111100110");

  navigator->SetDataSource(nullptr);
  EXPECT_FALSE(navigator->Enabled());
  EXPECT_FALSE(custom->Enabled()) << "without a data source the whole navigator is disabled";
}

TEST_F(DBNavigatorEnablingTest, RestoreBookmarkWaitsForASaveAndGoesWithTheTablesClose) {
  table->Open();
  EXPECT_FALSE(button(nbsRestoreBookmark)->Enabled());
  table->MoveBy(3);
  click(nbsSaveBookmark);
  EXPECT_TRUE(button(nbsRestoreBookmark)->Enabled());
  table->Last();
  click(nbsRestoreBookmark);
  EXPECT_EQ(code(), "C04");
  table->Edit();
  EXPECT_TRUE(button(nbsRestoreBookmark)->Enabled()) << "editing leaves it as it was";
  table->Cancel();

  table->Close();
  EXPECT_FALSE(button(nbsRestoreBookmark)->Enabled());
  table->Open();
  EXPECT_FALSE(button(nbsRestoreBookmark)->Enabled()) << "the bookmarks went with the close";
}

TEST_F(DBNavigatorEnablingTest, DeletingTheLastRecordLeavesNextAndLastDisabledOnTheNewLast) {
  navigator->SetOptions({});
  table->Open();
  table->Last();
  EXPECT_EQ(enabledStates().substr(3, 3), "000");
  click(nbsDelete);
  EXPECT_EQ(code(), "C19");
  EXPECT_TRUE(table->Eof());
  EXPECT_EQ(enabledStates().substr(3, 3), "000") << "Next, NextPage and Last are of no use at the end";
  EXPECT_EQ(enabledStates().substr(0, 3), "111");
  click(nbsPrior);
  EXPECT_EQ(code(), "C18");
  EXPECT_EQ(enabledStates().substr(3, 3), "111");
}

TEST_F(DBNavigatorEnablingTest, TheUpdateEventsHearEveryCauseAndRowChangesOnlyRecordChanges) {
  table->Open();
  TdcNavButton* next = button(nbsNext);
  std::vector<TdcUpdateCause> causes;
  int rowChanges = 0;
  next->OnUpdateState = [&](TdcDBNavigator* n, TdcNavButton* b, TdcUpdateCause cause) {
    EXPECT_EQ(n, navigator);
    EXPECT_EQ(b, next);
    causes.push_back(cause);
  };
  next->OnRowChanged = [&](TObject* sender) {
    EXPECT_EQ(sender, next);
    ++rowChanges;
  };
  const auto heard = [&](TdcUpdateCause cause) { return std::count(causes.begin(), causes.end(), cause); };
  table->Next();
  EXPECT_GE(heard(ucRecordChanged), 1);
  EXPECT_EQ(heard(ucEditingChanged), 0);
  table->Edit();
  EXPECT_EQ(heard(ucEditingChanged), 1);
  table->Close();
  EXPECT_GE(heard(ucActiveChanged), 1);
  navigator->SetDataSource(source);
  EXPECT_GE(heard(ucRefresh), 1);
  EXPECT_EQ(rowChanges, heard(ucRecordChanged)) << "a row change is told with each record change only";
}

}  // namespace
}  // namespace navigatortest
