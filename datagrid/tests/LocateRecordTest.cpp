// The locate engine over a dataset's records: exact, start and anywhere, numeric equality on
// number fields, from the start or from the next record, and where it leaves the cursor.
#include <gtest/gtest.h>

#include "datagrid/LocateRecord.h"
#include "framework/db/DataLink.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using qn::ui::testing::ScriptedMessageBoxes;

namespace {

class LocateRecordTest : public ::testing::Test {
 protected:
  void SetUp() override {
    people.FieldDefs().Add("Name", ftString, 20);
    people.FieldDefs().Add("Amount", ftFloat);
    people.FieldDefs().Add("Price", ftString, 10);
    people.FieldDefs().Add("Notes", ftMemo);
    people.Open();
    struct Row { const char* name; double amount; const char* price; const char* notes; };
    const Row rows[] = {{"Adams", 3, "3", "first call"},
                        {"Smith", 12.5, "12.5", "sent the Brief"},
                        {"Jones", 20, "12.50", ""},
                        {"smithers", 12.5, "7", "brief again"},
                        {"Baker", 4, "4", "none"}};
    for (const Row& r : rows) {
      people.Append();
      people.FieldByName("Name")->SetAsString(r.name);
      people.FieldByName("Amount")->SetAsFloat(r.amount);
      people.FieldByName("Price")->SetAsString(r.price);
      people.FieldByName("Notes")->SetAsString(r.notes);
      people.Post();
    }
    people.First();
  }
  AnsiString Name() { return people.FieldByName("Name")->AsString(); }
  void GoTo(const char* name) {
    for (people.First(); !people.Eof() && Name() != name; people.Next()) {}
    ASSERT_EQ(Name(), name);
  }

  MemoryDataSet people{nullptr};
};

TEST_F(LocateRecordTest, AnExactNumberIsFoundByValueOnANumberFieldAndByTextOnAString) {
  EXPECT_TRUE(LocateRecord(true, &people, "Amount", false, mtExactMatch, "12.50"));
  EXPECT_EQ(Name(), "Smith");
  EXPECT_TRUE(LocateRecord(true, &people, "Price", false, mtExactMatch, "12.50"));
  EXPECT_EQ(Name(), "Jones");
  EXPECT_TRUE(LocateRecord(true, &people, "Price", false, mtExactMatch, "12.5"));
  EXPECT_EQ(Name(), "Smith");
  // Text that is no number matches no number, and nothing fails.
  EXPECT_FALSE(LocateRecord(true, &people, "Amount", false, mtExactMatch, "twelve"));
  EXPECT_EQ(Name(), "Smith");
}

TEST_F(LocateRecordTest, AStartSearchIgnoresCaseUnlessAskedFor) {
  GoTo("Baker");
  EXPECT_TRUE(LocateRecord(true, &people, "Name", false, mtPartialMatchStart, "smi"));
  EXPECT_EQ(Name(), "Smith");
  EXPECT_TRUE(LocateRecord(true, &people, "Name", true, mtPartialMatchStart, "smi"));
  EXPECT_EQ(Name(), "smithers");
  EXPECT_FALSE(LocateRecord(true, &people, "Name", true, mtPartialMatchStart, "SMI"));
  EXPECT_EQ(Name(), "smithers");
}

TEST_F(LocateRecordTest, NextStartsAfterTheCurrentRecordAndStaysOnTheLastMatch) {
  ASSERT_TRUE(LocateRecord(true, &people, "Name", false, mtPartialMatchAny, "ITH"));
  EXPECT_EQ(Name(), "Smith");
  ASSERT_TRUE(LocateRecord(false, &people, "Name", false, mtPartialMatchAny, "ITH"));
  EXPECT_EQ(Name(), "smithers");
  EXPECT_FALSE(LocateRecord(false, &people, "Name", false, mtPartialMatchAny, "ITH"));
  EXPECT_EQ(Name(), "smithers");
  EXPECT_FALSE(people.Eof());
  EXPECT_FALSE(people.ControlsDisabled());
}

TEST_F(LocateRecordTest, AMemoIsSearchedByItsText) {
  EXPECT_TRUE(LocateRecord(true, &people, "Notes", false, mtPartialMatchAny, "brief"));
  EXPECT_EQ(Name(), "Smith");
  EXPECT_TRUE(LocateRecord(true, &people, "Notes", true, mtPartialMatchStart, "brief"));
  EXPECT_EQ(Name(), "smithers");
  EXPECT_TRUE(LocateRecord(true, &people, "Notes", false, mtExactMatch, ""));
  EXPECT_EQ(Name(), "Jones");
}

TEST_F(LocateRecordTest, AMissingFieldIsToldAndNothingMoves) {
  GoTo("Jones");
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Field Phone not found.");
  EXPECT_FALSE(LocateRecord(true, &people, "Phone", false, mtExactMatch, "5"));
  EXPECT_EQ(Name(), "Jones");
}

TEST_F(LocateRecordTest, APendingEditIsPostedFirstAndSearched) {
  GoTo("Baker");
  people.Edit();
  people.FieldByName("Name")->SetAsString("Bakersmith");
  EXPECT_TRUE(LocateRecord(true, &people, "Name", false, mtPartialMatchAny, "RSMI"));
  EXPECT_EQ(people.State(), dsBrowse);
  EXPECT_EQ(Name(), "Bakersmith");
}

TEST_F(LocateRecordTest, AnEmptyDatasetFindsNothing) {
  MemoryDataSet empty{nullptr};
  empty.FieldDefs().Add("Name", ftString, 20);
  empty.Open();
  EXPECT_FALSE(LocateRecord(true, &empty, "Name", false, mtExactMatch, ""));
  EXPECT_FALSE(LocateRecord(false, &empty, "Name", false, mtPartialMatchAny, "x"));
  EXPECT_TRUE(empty.Eof());
}

TEST_F(LocateRecordTest, AFoundRecordStaysTheCurrentOneWhenAControlShowsSeveralRecords) {
  // A grid's rows: moving inside the records it holds does not move the cursor with it.
  TDataSource source{nullptr};
  source.SetDataSet(&people);
  TDataLink rows;
  rows.SetDataSource(&source);
  rows.SetBufferCount(4);
  people.First();
  for (const char* name : {"Jones", "Smith", "Baker", "Adams"}) {
    EXPECT_TRUE(LocateRecord(true, &people, "Name", false, mtExactMatch, name));
    EXPECT_EQ(Name(), name);
  }
  rows.SetDataSource(nullptr);
}

}  // namespace
