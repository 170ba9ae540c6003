// The lookup list over the library's table of a code file: the key search on its index with the
// key values of the bound record, locating the current value, and a detail lookup table read
// again for the bound value, and the search by display text by the index.
#include <array>

#include "datagrid/DcTable.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "editors/DBLookupList.h"
#include "editors/tests/EditorsFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace editorstest {
namespace {

struct Seeder : clientstable::ClientsTableTest {
  using ClientsTableTest::seedDataFolder;
};

class DBLookupListOnTableTest : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    std::string seed;
    for (const auto& [code, type, text] : std::vector<std::array<const char*, 3>>{
             {"A", "O", "office A"}, {"A", "P", "person A"}, {"B", "O", "office B"}, {"C", "O", "office C"},
             {"C", "P", "person C"}, {"D", "O", "office D"}, {"E", "O", "office E"}, {"F", "O", "office F"}, {"G", "O", "office G"}})
      seed += std::string("type code = ") + type + "\ncode = " + code + "\nDescription = " + text + "\n\n";
    codes.SetName("Codes");
    codes.SetDatabaseName(Seeder::seedDataFolder("YTable.qf", seed));
    codes.SetTableName("YTable.qf;RES:SIMPLECD");
    codes.SetIndexName(" 5 - code+type code");
    codes.Open();
    bound.FieldDefs().Add("code", ftString, 3);
    bound.FieldDefs().Add("type code", ftString, 1);
    bound.FieldDefs().Add("Description", ftString, 30);
    bound.Open();
    boundSource.SetDataSet(&bound);
  }
  void TearDown() override {
    form.reset();
    codes.Close();
    EditorsTest::TearDown();
  }
  void setBound(const char* code, const char* type) {
    if (bound.IsEmpty()) bound.Append();
    else bound.Edit();
    bound.FieldByName("code")->SetAsString(code);
    bound.FieldByName("type code")->SetAsString(type);
    bound.Post();
  }
  TdcDBLookupList* list(const char* lookupField, const char* shown = "Description") {
    auto* l = place<TdcDBLookupList>(40, 200, 97);
    l->SetLookupTable(&codes);
    l->SetLookupField(lookupField);
    StringList lines;
    lines.Add(AnsiString(shown) + "\t20\tName");
    l->SetSelected(&lines);
    l->SetDataSource(&boundSource);
    l->SetDataField("code");
    return l;
  }
  AnsiString description() { return codes.FieldByName("Description")->AsString(); }

  TdcTable codes{nullptr};
  MemoryDataSet bound;
  TDataSource boundSource{nullptr};
};

TEST_F(DBLookupListOnTableTest, TheKeySearchTakesTheSecondKeyFromTheBoundRecord) {
  setBound("A", "P");
  auto* l = list("code;type code");
  EXPECT_EQ(l->LookupValue(), "A");
  EXPECT_EQ(l->DisplayValue(), "person A") << "both keys searched, not the first A";
  EXPECT_TRUE(l->RowMatches());
  setBound("B", "O");
  EXPECT_EQ(l->DisplayValue(), "office B");
}

TEST_F(DBLookupListOnTableTest, TheSearchGoesByTheTablesIndex) {
  // Three key values for an index of two fields: the key search refuses them with its warning.
  setBound("A", "P");
  bound.Edit();
  bound.FieldByName("Description")->SetAsString("person A");
  bound.Post();
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Table Codes: FindKey has too many lookup values for index  5 - code+type code");
  auto* l = list("code;type code;Description");
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(l->DisplayValue(), "") << "nothing found";
}

TEST_F(DBLookupListOnTableTest, LocatingTheCurrentValueKeepsTheAnswerAndAMissGoesToTheFirstRecord) {
  setBound("C", "O");
  auto* l = list("code;type code");
  EXPECT_FALSE(l->LocateCurrentValue(true)) << "no window yet";
  ASSERT_TRUE(show());
  codes.Last();
  EXPECT_TRUE(l->LocateCurrentValue(true));
  EXPECT_TRUE(l->Found());
  EXPECT_EQ(description(), "office C");
  codes.Last();
  EXPECT_TRUE(l->LocateCurrentValue(false));
  EXPECT_EQ(description(), "office C");
  setBound("Z", "O");
  codes.Last();
  EXPECT_FALSE(l->LocateCurrentValue(true));
  EXPECT_FALSE(l->Found());
  EXPECT_EQ(description(), "office A") << "the first record";
  codes.Last();
  EXPECT_FALSE(l->LocateCurrentValue(false));
  EXPECT_EQ(description(), "office G") << "without Reposition a miss moves nothing";
}

TEST_F(DBLookupListOnTableTest, ADetailLookupTableOfTheListsSourceIsReadAgainForTheBoundValue) {
  setBound("D", "O");
  auto* l = list("code;type code");
  ASSERT_TRUE(show());
  codes.Last();
  codes.Refresh();
  EXPECT_EQ(description(), "office G") << "not a detail table: it stays where it was moved";
  codes.SetMasterSource(&boundSource);
  codes.Last();
  codes.Refresh();
  EXPECT_EQ(description(), "office D");
  EXPECT_EQ(l->LookupValue(), "D");
}

TEST_F(DBLookupListOnTableTest, ASearchByAShownKeyFieldKeepsTheEarlierKeysOfTheCurrentRecord) {
  setBound("C", "O");
  auto* l = list("code;type code", "type code");
  ASSERT_EQ(description(), "office C");
  EXPECT_TRUE(l->SearchByDisplayText("P"));
  EXPECT_EQ(description(), "person C") << "the key search on C, not the first P of the table";
  EXPECT_EQ(l->LookupValue(), "C");
  EXPECT_EQ(l->DisplayValue(), "P");
  EXPECT_FALSE(l->SearchByDisplayText("X"));
  EXPECT_EQ(l->LookupValue(), "");
  EXPECT_EQ(l->DisplayValue(), "");
}

TEST_F(DBLookupListOnTableTest, ASearchByAShownFieldOutsideTheIndexComparesWholeValuesWithTheListsCase) {
  setBound("A", "O");
  auto* l = list("code;type code");
  ASSERT_TRUE(show()) << "shown, the grid holds several records";
  EXPECT_TRUE(l->SearchByDisplayText("PERSON C"));
  EXPECT_EQ(description(), "person C");
  EXPECT_EQ(l->LookupValue(), "C");
  EXPECT_FALSE(l->SearchByDisplayText("person")) << "whole values only";
  l->SetCaseSensitive(true);
  EXPECT_FALSE(l->SearchByDisplayText("OFFICE B"));
  EXPECT_TRUE(l->SearchByDisplayText("office B"));
  EXPECT_EQ(l->LookupValue(), "B");
}

TEST_F(DBLookupListOnTableTest, AnUnchangedValueIsTakenAgainOnlyOnTheFirstDataRow) {
  setBound("C", "O");
  auto* l = list("code;type code");
  ASSERT_TRUE(show());
  codes.Last();
  ASSERT_NE(l->Row(), l->TitleOffset());
  l->SetLookupValue("C");
  EXPECT_EQ(description(), "office G") << "off the first row an unchanged value does nothing";
  codes.First();
  ASSERT_EQ(l->Row(), l->TitleOffset());
  l->SetLookupValue("C");
  EXPECT_EQ(description(), "office C");
  EXPECT_EQ(l->DisplayValue(), "office C");
  codes.Last();
  l->SetLookupValue("D");
  EXPECT_EQ(description(), "office D") << "a changed value is always taken";
}

TEST_F(DBLookupListOnTableTest, TheShownTextIsSearchedAgainOnlyOnTheFirstDataRow) {
  setBound("A", "O");
  auto* l = list("code;type code", "type code");
  ASSERT_TRUE(show());
  EXPECT_TRUE(l->SearchByDisplayText("P"));
  EXPECT_EQ(description(), "person A");
  codes.Last();
  ASSERT_NE(l->Row(), l->TitleOffset());
  EXPECT_TRUE(l->SearchByDisplayText("P")) << "the last answer";
  EXPECT_EQ(description(), "office G") << "the text shown is not searched again";
  EXPECT_EQ(l->LookupValue(), "A");
  codes.First();
  ASSERT_EQ(l->Row(), l->TitleOffset());
  EXPECT_TRUE(l->SearchByDisplayText("P"));
  EXPECT_EQ(description(), "person A");
  codes.Last();
  EXPECT_FALSE(l->SearchByDisplayText("X")) << "another text is always searched";
  EXPECT_EQ(l->DisplayValue(), "");
  EXPECT_FALSE(l->SearchByDisplayText("")) << "the empty text is now the shown one: the last answer";
  EXPECT_EQ(description(), "office G");
}

}  // namespace
}  // namespace editorstest
