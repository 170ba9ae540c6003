#include <gtest/gtest.h>

#include "datagrid/SelectedLists.h"
#include "framework/base/StringList.h"
#include "framework/db/Field.h"
#include "framework/db/MemoryDataSet.h"

namespace {

class SelectedListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ds.FieldDefs().Add("CaseID", ftString, 8);
    ds.FieldDefs().Add("Client", ftString, 7);
    ds.FieldDefs().Add("Title", ftString, 40);
    ds.FieldDefs().Add("Opened", ftDate);
    ds.Open();
  }

  MemoryDataSet ds{nullptr};
};

TEST_F(SelectedListsTest, ApplyingShowsTheListedFieldsInListOrderWithWidthAndTitle) {
  StringList selected;
  selected.SetText(
      "Title\t25\tCase title\r\nCaseID\t8\tCase~Identifier\tF\r\nGhost\t5\tNone\r\nClient\tx\tBad width\r\n");
  ds.FieldByName("Client")->SetDisplayWidth(3);
  ApplySelectedToFields(&ds, selected);
  EXPECT_FALSE(ds.ControlsDisabled());
  EXPECT_EQ(ds.Fields()[0]->FieldName(), "Title");
  EXPECT_EQ(ds.Fields()[1]->FieldName(), "CaseID");
  TField* title = ds.FieldByName("Title");
  EXPECT_TRUE(title->Visible());
  EXPECT_EQ(title->DisplayWidth(), 25);
  EXPECT_EQ(title->DisplayLabel(), "Case title");
  EXPECT_EQ(ds.FieldByName("CaseID")->DisplayLabel(), "Case~Identifier");
  // A malformed line shows nothing and changes nothing.
  EXPECT_FALSE(ds.FieldByName("Client")->Visible());
  EXPECT_EQ(ds.FieldByName("Client")->DisplayWidth(), 3);
  EXPECT_FALSE(ds.FieldByName("Opened")->Visible());
}

TEST_F(SelectedListsTest, BuildingListsTheVisibleFieldsAndAppliesBackTheSame) {
  ds.FieldByName("Client")->SetVisible(false);
  ds.FieldByName("Title")->SetDisplayLabel("Case~title");
  ds.FieldByName("Title")->SetDisplayWidth(20);
  StringList selected;
  selected.Add("left over");
  BuildSelectedFromFields(&ds, selected);
  ASSERT_EQ(selected.Count(), 3);
  EXPECT_EQ(selected[0], "CaseID\t" + std::to_string(ds.FieldByName("CaseID")->DisplayWidth()) + "\tCaseID");
  EXPECT_EQ(selected[1], "Title\t20\tCase~title");
  EXPECT_EQ(selected[2].substr(0, 7), "Opened\t");

  MemoryDataSet copy{nullptr};
  copy.FieldDefs().Add("Opened", ftDate);
  copy.FieldDefs().Add("Title", ftString, 40);
  copy.FieldDefs().Add("Client", ftString, 7);
  copy.FieldDefs().Add("CaseID", ftString, 8);
  copy.Open();
  ApplySelectedToFields(&copy, selected);
  StringList again;
  BuildSelectedFromFields(&copy, again);
  EXPECT_TRUE(again.Equals(selected));
}

TEST_F(SelectedListsTest, LinesAndFieldsAreFoundWithoutCaseAndTitlesWithTildeAsBlank) {
  StringList selected;
  selected.SetText("CaseID\t8\tCase\r\nclient\t7\tClient\r\n");
  EXPECT_EQ(FindSelectedLine(selected, "CLIENT"), 1);
  EXPECT_EQ(FindSelectedLine(selected, "Title"), -1);
  StringList empty;
  EXPECT_EQ(FindSelectedLine(empty, "Title"), -1);

  ds.FieldByName("CaseID")->SetDisplayLabel("Case~Identifier");
  EXPECT_EQ(FieldNameFromDisplayLabel(&ds, "Case Identifier"), "CaseID");
  EXPECT_EQ(FieldNameFromDisplayLabel(&ds, "Case~Identifier"), "CaseID");
  EXPECT_EQ(FieldNameFromDisplayLabel(&ds, "Client"), "Client");
  EXPECT_EQ(FieldNameFromDisplayLabel(&ds, "Nothing"), "");

  StringList words;
  words.SetText("Alpha\r\nbeta\r\n");
  EXPECT_EQ(IndexOfTextNoCase(words, "BETA"), 1);
  EXPECT_EQ(IndexOfTextNoCase(words, "gamma"), -1);
}

}  // namespace
