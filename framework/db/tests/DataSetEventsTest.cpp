// The order in which a dataset fires its events, operation by operation.
#include <gtest/gtest.h>

#include <functional>

#include "framework/base/Exception.h"

#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

struct EventCase {
  const char* name;
  std::function<void(TDataSet&)> prepare;  // before the log starts
  std::function<void(TDataSet&)> act;
  std::vector<std::string> expected;
  TDataSetState stateAfter;
  int idAfter;  // ID of the current record afterwards; 0 for none
};

void Nothing(TDataSet&) {}

const EventCase kCases[] = {
    {"next", Nothing, [](TDataSet& d) { d.Next(); }, {"BeforeScroll", "AfterScroll"}, dsBrowse, 2},
    {"next at the end moves nowhere", [](TDataSet& d) { d.Last(); },
     [](TDataSet& d) { d.Next(); }, {"BeforeScroll"}, dsBrowse, 3},
    {"prior at the start moves nowhere", Nothing, [](TDataSet& d) { d.Prior(); },
     {"BeforeScroll"}, dsBrowse, 1},
    {"last", Nothing, [](TDataSet& d) { d.Last(); }, {"BeforeScroll", "AfterScroll"}, dsBrowse, 3},
    {"edit", Nothing, [](TDataSet& d) { d.Edit(); }, {"BeforeEdit", "AfterEdit"}, dsEdit, 1},
    {"post", [](TDataSet& d) { d.Edit(); d.FieldByName("NAME")->SetAsString("X"); },
     [](TDataSet& d) { d.Post(); }, {"BeforePost", "AfterPost"}, dsBrowse, 1},
    {"cancel", [](TDataSet& d) { d.Edit(); }, [](TDataSet& d) { d.Cancel(); },
     {"BeforeCancel", "AfterCancel"}, dsBrowse, 1},
    {"insert", Nothing, [](TDataSet& d) { d.Insert(); },
     {"BeforeInsert", "OnNewRecord", "AfterInsert"}, dsInsert, 0},
    {"append", Nothing, [](TDataSet& d) { d.Append(); },
     {"BeforeInsert", "OnNewRecord", "AfterInsert"}, dsInsert, 0},
    {"delete", [](TDataSet& d) { d.Next(); }, [](TDataSet& d) { d.Delete(); },
     {"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}, dsBrowse, 3},
    {"delete while inserting cancels", [](TDataSet& d) { d.Insert(); },
     [](TDataSet& d) { d.Delete(); }, {"BeforeCancel", "AfterCancel"}, dsBrowse, 1},
    {"moving a modified record posts it first",
     [](TDataSet& d) { d.Edit(); d.FieldByName("NAME")->SetAsString("X"); },
     [](TDataSet& d) { d.Next(); },
     {"BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}, dsBrowse, 2},
    {"moving an unmodified record cancels it first", [](TDataSet& d) { d.Edit(); },
     [](TDataSet& d) { d.Next(); },
     {"BeforeCancel", "AfterCancel", "BeforeScroll", "AfterScroll"}, dsBrowse, 2},
    {"close", Nothing, [](TDataSet& d) { d.Close(); }, {"BeforeClose", "AfterClose"}, dsInactive,
     0},
};

void PrintTo(const EventCase& c, std::ostream* os) { *os << c.name; }

class DataSetEvents : public ::testing::TestWithParam<EventCase> {};

TEST_P(DataSetEvents, FireInOrder) {
  const EventCase& c = GetParam();
  auto ds = People();
  Fill(*ds, 3);
  c.prepare(*ds);
  EventLog log;
  log.Attach(*ds);
  c.act(*ds);
  EXPECT_EQ(log.events, c.expected);
  EXPECT_EQ(ds->State(), c.stateAfter);
  if (c.idAfter) {
    EXPECT_EQ(CurrentId(*ds), c.idAfter);
  } else if (ds->Active()) {
    EXPECT_TRUE(ds->FieldByName("ID")->IsNull());
  }
}

INSTANTIATE_TEST_SUITE_P(Operations, DataSetEvents, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string n = info.param.name;
                           for (char& ch : n)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return n;
                         });

TEST(DataSetOpen, AnnouncesTheFirstRecordOnlyWhenThereIsOne) {
  auto ds = People();
  Fill(*ds, 2);
  ds->Close();
  EventLog log;
  log.Attach(*ds);
  ds->Open();
  EXPECT_EQ(log.events, (std::vector<std::string>{"BeforeOpen", "AfterOpen", "AfterScroll"}));
  EXPECT_TRUE(ds->Bof());
  EXPECT_FALSE(ds->Eof());

  auto empty = People();
  EventLog emptyLog;
  emptyLog.Attach(*empty);
  empty->Open();
  EXPECT_EQ(emptyLog.events, (std::vector<std::string>{"BeforeOpen", "AfterOpen"}));
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_TRUE(empty->Bof());
  EXPECT_TRUE(empty->Eof());
}

TEST(DataSetOpen, BeforeOpenThatRaisesLeavesTheDatasetClosed) {
  auto ds = People();
  ds->BeforeOpen = [](TDataSet*) { Abort(); };
  EXPECT_THROW(ds->Open(), EAbort);
  EXPECT_FALSE(ds->Active());
}

TEST(DataSetEditing, InsertedRecordTakesTheActiveRowAndPostsBeforeIt) {
  auto ds = People();
  Fill(*ds, 3);
  ds->Next();  // on 2
  ds->Insert();
  ds->FieldByName("ID")->SetAsInteger(9);
  ds->Post();
  EXPECT_EQ(CurrentId(*ds), 9);
  std::vector<int> order;
  for (ds->First(); !ds->Eof(); ds->Next()) order.push_back(CurrentId(*ds));
  EXPECT_EQ(order, (std::vector<int>{1, 9, 2, 3}));
}

TEST(DataSetEditing, CancelledInsertRestoresTheRecordsAround) {
  auto ds = People();
  Fill(*ds, 3);
  ds->Next();
  ds->Insert();
  ds->FieldByName("ID")->SetAsInteger(9);
  ds->Cancel();
  EXPECT_EQ(CurrentId(*ds), 2);
  EXPECT_EQ(ds->RecordCount(), 3);
}

TEST(DataSetEditing, CancelRestoresTheStoredValues) {
  auto ds = People();
  Fill(*ds, 2);
  ds->Edit();
  ds->FieldByName("NAME")->SetAsString("changed");
  EXPECT_TRUE(ds->Modified());
  ds->Cancel();
  EXPECT_EQ(ds->FieldByName("NAME")->AsString(), "N1");
  EXPECT_FALSE(ds->Modified());
}

TEST(DataSetEditing, RecordsInOneCall) {
  auto ds = People();
  ds->Open();
  ds->AppendRecord({1, "one", 1.5});
  ds->AppendRecord({2, "two"});
  ds->First();
  ds->InsertRecord({3, Variant(), 7.0});
  EXPECT_EQ(CurrentId(*ds), 3);
  EXPECT_TRUE(ds->FieldByName("NAME")->IsNull());
  ds->Next();
  ds->SetFields({1, "uno"});
  EXPECT_EQ(ds->State(), dsEdit);
  ds->Post();
  std::vector<AnsiString> names;
  for (ds->First(); !ds->Eof(); ds->Next()) names.push_back(ds->FieldByName("NAME")->AsString());
  EXPECT_EQ(names, (std::vector<AnsiString>{"", "uno", "two"}));
}

TEST(DataSetEditing, EditOnAnEmptyDatasetInserts) {
  auto ds = People();
  ds->Open();
  ds->Edit();
  EXPECT_EQ(ds->State(), dsInsert);
}

TEST(DataSetEditing, WritingOutsideEditStateIsRefused) {
  auto ds = People();
  Fill(*ds, 1);
  try {
    ds->FieldByName("NAME")->SetAsString("x");
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Dataset not in edit or insert mode");
  }
}

TEST(DataSetEditing, DeleteOnAnEmptyDatasetIsRefused) {
  auto ds = People();
  ds->Open();
  EXPECT_THROW(ds->Delete(), EDatabaseError);
}

}  // namespace
