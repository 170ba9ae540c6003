// What each navigator button does to the table when clicked, and what a refused post or delete
// shows.
#include <gtest/gtest.h>

#include <functional>

#include "datagrid/tests/NavigatorFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/recmgr/tests/ServeChild.h"

using qn::ui::testing::ScriptedMessageBoxes;

namespace navigatortest {
namespace {

// The hex digits of the text padded with blanks to width bytes, as the other workstation takes a
// key.
std::string keyHex(const std::string& text, std::size_t width) {
  static const char* digits = "0123456789ABCDEF";
  std::string padded = text;
  padded.resize(width, ' ');
  std::string hex;
  for (unsigned char c : padded) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

class DBNavigatorClickTest : public NavigatorTest {
 protected:
  void SetUp() override {
    NavigatorTest::SetUp();
    table->Open();
  }
};

struct ClickCase {
  TdcNavButtonStyle style;
  int startAt;  // records moved from the first before the click
  const char* codeAfter;
  TDataSetState stateAfter;
};

TEST_F(DBNavigatorClickTest, EachMovementAndEditingButtonDoesWhatItsStyleSays) {
  navigator->SetMoveBy(4);
  const std::vector<ClickCase> cases{
      {nbsFirst, 7, "C01", dsBrowse},      {nbsPrior, 7, "C07", dsBrowse},     {nbsNext, 7, "C09", dsBrowse},
      {nbsLast, 7, "C20", dsBrowse},       {nbsPriorPage, 7, "C04", dsBrowse}, {nbsNextPage, 7, "C12", dsBrowse},
      {nbsNextPage, 18, "C20", dsBrowse},  {nbsEdit, 7, "C08", dsEdit},        {nbsRefresh, 7, "C08", dsBrowse},
      {nbsInsert, 7, "", dsInsert},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(kNavButtonStyleType.NameOf(c.style));
    table->First();
    table->MoveBy(c.startAt);
    click(c.style);
    EXPECT_EQ(code(), c.codeAfter);
    EXPECT_EQ(table->State(), c.stateAfter);
    if (table->State() != dsBrowse) table->Cancel();
  }
}

TEST_F(DBNavigatorClickTest, PostAndCancelEndAnEditTheirWay) {
  table->MoveBy(2);
  table->Edit();
  table->FieldByName(datasettest::kFirstName)->SetAsString("Kept");
  click(nbsPost);
  EXPECT_EQ(table->State(), dsBrowse);
  table->Refresh();
  EXPECT_EQ(table->FieldByName(datasettest::kFirstName)->AsString(), "Kept");

  table->Edit();
  table->FieldByName(datasettest::kFirstName)->SetAsString("Dropped");
  click(nbsCancel);
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->FieldByName(datasettest::kFirstName)->AsString(), "Kept");
}

TEST_F(DBNavigatorClickTest, AButtonWithItsOwnOnClickRunsOnlyThat) {
  int clicks = 0;
  for (TdcNavButtonStyle style : {nbsNext, nbsDelete, nbsInsert}) button(style)->OnClick = [&](TObject*) { ++clicks; };
  click(nbsNext);
  click(nbsDelete);
  click(nbsInsert);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(code(), "C01");
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(table->RecordCount(), 20);
}

TEST_F(DBNavigatorClickTest, DeleteAsksFirstUnlessTheOptionsSayNot) {
  table->MoveBy(4);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, "Delete record?", mrCancel);
    click(nbsDelete);
  }
  EXPECT_EQ(code(), "C05");
  EXPECT_EQ(table->RecordCount(), 20);
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, "Delete record?", mrOk);
    click(nbsDelete);
  }
  EXPECT_EQ(code(), "C06");
  EXPECT_EQ(table->RecordCount(), 19);

  navigator->SetOptions({});
  {
    ScriptedMessageBoxes noBoxes;
    click(nbsDelete);
  }
  EXPECT_EQ(code(), "C07");
  EXPECT_EQ(table->RecordCount(), 18);
}

TEST_F(DBNavigatorClickTest, ANegativeMoveByPagesLikeItsAbsoluteValue) {
  navigator->SetMoveBy(-3);
  table->MoveBy(9);
  click(nbsPriorPage);
  EXPECT_EQ(code(), "C07");
  click(nbsNextPage);
  click(nbsNextPage);
  EXPECT_EQ(code(), "C13");
}

TEST_F(DBNavigatorClickTest, TwoQuickPressesMoveTwice) {
  const std::vector<ClickCase> cases{{nbsNext, 5, "C08", dsBrowse}, {nbsPrior, 5, "C04", dsBrowse}};
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(kNavButtonStyleType.NameOf(c.style));
    table->First();
    table->MoveBy(c.startAt);
    doubleClick(c.style);
    EXPECT_EQ(code(), c.codeAfter);
  }
}

TEST_F(DBNavigatorClickTest, DeleteOnAnEmptyTableShowsNothing) {
  navigator->SetOptions({});
  while (!table->IsEmpty()) table->Delete();
  EXPECT_TRUE(button(nbsDelete)->Enabled()) << "the enabling does not count records";
  ScriptedMessageBoxes noBoxes;
  click(nbsDelete);
  EXPECT_TRUE(table->IsEmpty());
}

TEST_F(DBNavigatorClickTest, APostRefusedByAPictureMaskShowsItsMessageOnce) {
  table->PictureMasks()->SetText(std::string(datasettest::kFirstName) + "\t#####\tT\tF\r\n");
  table->Edit();
  table->FieldByName(datasettest::kFirstName)->SetAsString("12a");
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, std::string("Invalid characters. Field : ") + datasettest::kFirstName);
    click(nbsPost);
  }
  EXPECT_EQ(table->State(), dsEdit) << "the record stays in edit for the user to mend";
  table->Cancel();
}

TEST_F(DBNavigatorClickTest, ADeleteOfARecordAnotherWorkstationHoldsShowsTheLockErrorOnce) {
  qn::recmgr::testing::ServeChild other;
  ASSERT_EQ(other.status("open 0 " + data + "/YClient.qf"), 0);
  ASSERT_EQ(other.status("read 0 205 1 " + keyHex("C05", 7)), 0) << "the other workstation holds C05";
  navigator->SetOptions({});
  table->MoveBy(4);
  std::vector<std::string> shown;
  Application->OnException = [&](TObject* sender, const Exception& e) {
    EXPECT_EQ(sender, button(nbsDelete));
    shown.push_back(e.Message());
  };
  click(nbsDelete);
  Application->OnException = nullptr;
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("84"), std::string::npos) << shown[0];
  EXPECT_EQ(table->RecordCount(), 20);
}

}  // namespace
}  // namespace navigatortest
