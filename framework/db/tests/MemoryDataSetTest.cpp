// The in-memory dataset as a table: indexes, key searches, ranges, master and detail.
#include <gtest/gtest.h>

#include "framework/db/DataSource.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

// Cases of one client each: CLIENT, MATTER (number), TITLE.
class Matters : public ::testing::Test {
 protected:
  void SetUp() override {
    ds.FieldDefs().Add("CLIENT", ftString, 7);
    ds.FieldDefs().Add("MATTER", ftInteger);
    ds.FieldDefs().Add("TITLE", ftString, 30);
    ds.IndexDefs().Add("BYCLIENT", "CLIENT;MATTER", ixPrimary | ixUnique);
    ds.IndexDefs().Add("BYTITLE", "TITLE", ixCaseInsensitive);
    ds.Open();
    const std::tuple<const char*, int, const char*> rows[] = {
        {"SMITH", 2, "beta"}, {"ADAMS", 1, "Delta"}, {"SMITH", 1, "alpha"},
        {"JONES", 5, "Gamma"}, {"ADAMS", 3, "epsilon"}, {"JONES", 1, "zeta"}};
    for (auto [client, matter, title] : rows) Add(client, matter, title);
    ds.First();
  }
  void Add(const char* client, int matter, const char* title) {
    ds.Append();
    ds.FieldByName("CLIENT")->SetAsString(client);
    ds.FieldByName("MATTER")->SetAsInteger(matter);
    ds.FieldByName("TITLE")->SetAsString(title);
    ds.Post();
  }
  std::string Key() {
    return ds.FieldByName("CLIENT")->AsString() + std::to_string(ds.FieldByName("MATTER")->AsInteger());
  }
  std::vector<std::string> All() {
    std::vector<std::string> keys;
    for (ds.First(); !ds.Eof(); ds.Next()) keys.push_back(Key());
    return keys;
  }

  MemoryDataSet ds{nullptr};
};

TEST_F(Matters, NaturalOrderUntilAnIndexIsChosen) {
  EXPECT_EQ(All(), (std::vector<std::string>{"SMITH2", "ADAMS1", "SMITH1", "JONES5", "ADAMS3",
                                             "JONES1"}));
  ds.SetIndexName("BYCLIENT");
  EXPECT_EQ(All(), (std::vector<std::string>{"ADAMS1", "ADAMS3", "JONES1", "JONES5", "SMITH1",
                                             "SMITH2"}));
  ds.SetIndexName("BYTITLE");  // case-insensitive
  EXPECT_EQ(All(), (std::vector<std::string>{"SMITH1", "SMITH2", "ADAMS1", "ADAMS3", "JONES5",
                                             "JONES1"}));
  ds.SetIndexFieldNames("MATTER;CLIENT");
  EXPECT_EQ(ds.IndexName(), "");
  EXPECT_EQ(All()[0], "ADAMS1");
  EXPECT_EQ(All()[5], "JONES5");
  EXPECT_THROW(ds.SetIndexName("NOSUCH"), EDatabaseError);
  EXPECT_EQ(ds.IndexFieldNames(), "MATTER;CLIENT");
}

TEST_F(Matters, ChangingTheIndexKeepsTheCurrentRecord) {
  ds.MoveBy(3);  // JONES5
  ds.SetIndexName("BYCLIENT");
  EXPECT_EQ(Key(), "JONES5");
  EXPECT_EQ(ds.RecNo(), 4);
}

TEST_F(Matters, FindKeyAndFindNearest) {
  ds.SetIndexName("BYCLIENT");
  EXPECT_TRUE(ds.FindKey({"JONES", 5}));
  EXPECT_EQ(Key(), "JONES5");
  EXPECT_TRUE(ds.FindKey({"SMITH"}));  // a partial key finds the first of its records
  EXPECT_EQ(Key(), "SMITH1");

  EventLog log;
  log.Attach(ds);
  EXPECT_FALSE(ds.FindKey({"JONES", 4}));
  EXPECT_EQ(Key(), "SMITH1");  // stays
  EXPECT_EQ(log.events, std::vector<std::string>{"BeforeScroll"});

  ds.FindNearest({"JONES", 4});
  EXPECT_EQ(Key(), "JONES5");
  ds.FindNearest({"ZZZ"});
  EXPECT_EQ(Key(), "SMITH2");
  try {
    ds.FindKey({"A", 1, "x", 2});
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field index out of range");
  }
}

TEST_F(Matters, KeySearchNeedsAnIndex) {
  try {
    ds.FindKey({"SMITH"});
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "No index currently active");
  }
}

TEST_F(Matters, SetKeyStateEditsTheKeyThroughTheFields) {
  ds.SetIndexName("BYCLIENT");
  ds.SetKey();
  EXPECT_EQ(ds.State(), dsSetKey);
  ds.FieldByName("CLIENT")->SetAsString("ADAMS");
  ds.FieldByName("MATTER")->SetAsInteger(3);
  EXPECT_THROW(ds.FieldByName("TITLE")->SetAsString("x"), EDatabaseError);  // not a key field
  EXPECT_TRUE(ds.GotoKey());
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_EQ(Key(), "ADAMS3");
  EXPECT_EQ(ds.FieldByName("TITLE")->AsString(), "epsilon");

  ds.SetKey();
  ds.FieldByName("CLIENT")->SetAsString("JONES");
  ds.SetKeyExclusive(true);
  ds.GotoNearest();  // past every JONES key
  EXPECT_EQ(Key(), "SMITH1");
}

TEST_F(Matters, RangesRestrictTheRecords) {
  ds.SetIndexName("BYCLIENT");
  ds.SetRange({"ADAMS"}, {"JONES"});
  EXPECT_EQ(All(), (std::vector<std::string>{"ADAMS1", "ADAMS3", "JONES1", "JONES5"}));
  EXPECT_EQ(ds.RecordCount(), 4);
  ds.SetRange({"JONES", 2}, {"SMITH", 1});
  EXPECT_EQ(All(), (std::vector<std::string>{"JONES5", "SMITH1"}));

  // The same range again does not move the cursor.
  ds.First();
  ds.Next();
  EventLog log;
  log.Attach(ds);
  ds.SetRange({"JONES", 2}, {"SMITH", 1});
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(Key(), "SMITH1");

  ds.CancelRange();
  EXPECT_EQ(Key(), "SMITH1");
  EXPECT_EQ(ds.RecordCount(), 6);
}

TEST_F(Matters, UniqueIndexRefusesADuplicateKey) {
  ds.SetIndexName("BYCLIENT");
  ds.Append();
  ds.FieldByName("CLIENT")->SetAsString("SMITH");
  ds.FieldByName("MATTER")->SetAsInteger(2);
  EXPECT_THROW(ds.Post(), EDatabaseError);
  EXPECT_EQ(ds.State(), dsInsert);
  ds.FieldByName("MATTER")->SetAsInteger(3);
  ds.Post();
  EXPECT_EQ(Key(), "SMITH3");
}

TEST_F(Matters, PostedRecordsTakeTheirPlaceInTheIndex) {
  ds.SetIndexName("BYCLIENT");
  ds.First();
  ds.Edit();
  ds.FieldByName("CLIENT")->SetAsString("TAYLOR");
  ds.Post();
  EXPECT_EQ(Key(), "TAYLOR1");
  EXPECT_EQ(ds.RecNo(), 6);
  ds.Next();
  EXPECT_TRUE(ds.Eof());
}

TEST_F(Matters, DetailFollowsItsMaster) {
  MemoryDataSet clients(nullptr);
  clients.FieldDefs().Add("CLIENT", ftString, 7);
  clients.Open();
  for (const char* c : {"ADAMS", "JONES", "SMITH"}) {
    clients.Append();
    clients.FieldByName("CLIENT")->SetAsString(c);
    clients.Post();
  }
  clients.First();
  TDataSource clientSource(nullptr);
  clientSource.SetDataSet(&clients);

  ds.Close();
  ds.SetIndexName("BYCLIENT");
  ds.SetMasterSource(&clientSource);
  ds.SetMasterFields("CLIENT");
  ds.Open();
  EXPECT_EQ(All(), (std::vector<std::string>{"ADAMS1", "ADAMS3"}));

  clients.Next();
  EXPECT_EQ(Key(), "JONES1");
  EXPECT_EQ(All(), (std::vector<std::string>{"JONES1", "JONES5"}));

  // A new detail record belongs to the current master.
  ds.Append();
  EXPECT_EQ(ds.FieldByName("CLIENT")->AsString(), "JONES");
  ds.FieldByName("MATTER")->SetAsInteger(9);
  // Moving the master posts the pending detail first.
  clients.Next();
  EXPECT_EQ(All(), (std::vector<std::string>{"SMITH1", "SMITH2"}));
  clients.Prior();
  EXPECT_EQ(All(), (std::vector<std::string>{"JONES1", "JONES5", "JONES9"}));

  clients.Close();
  EXPECT_EQ(ds.RecordCount(), 7);
}

TEST_F(Matters, RecordNumbers) {
  ds.SetIndexName("BYCLIENT");
  ds.SetRecNo(4);
  EXPECT_EQ(Key(), "JONES5");
  EXPECT_EQ(ds.RecNo(), 4);
  ds.Append();
  EXPECT_EQ(ds.RecNo(), -1);
  ds.Cancel();
  EXPECT_EQ(ds.RecordCount(), 6);
}

TEST_F(Matters, RecordsStayWhileClosedAndGoWithEmptyDataSet) {
  ds.Close();
  ds.Open();
  EXPECT_EQ(ds.RecordCount(), 6);
  ds.EmptyDataSet();
  EXPECT_TRUE(ds.IsEmpty());
  EXPECT_TRUE(ds.Eof());
}

TEST_F(Matters, DisabledControlsHearOneChangeAtTheEnd) {
  TDataSource source(nullptr);
  source.SetDataSet(&ds);
  LoggingLink link;
  link.SetDataSource(&source);
  link.log.clear();
  ds.DisableControls();
  ds.Next();
  ds.Next();
  ds.Edit();
  ds.FieldByName("TITLE")->SetAsString("x");
  ds.Post();
  EXPECT_TRUE(link.log.empty());
  ds.EnableControls();
  EXPECT_EQ(link.log, std::vector<std::string>{"changed"});
}

TEST_F(Matters, ControlsFollowAReopeningWhileDisabled) {
  TDataSource source(nullptr);
  source.SetDataSet(&ds);
  LoggingLink link;
  link.SetBufferCount(3);
  link.SetDataSource(&source);
  ds.DisableControls();
  ds.Close();
  ds.Open();
  ds.EnableControls();
  EXPECT_EQ(source.State(), dsBrowse);
  EXPECT_TRUE(link.Active());
  EXPECT_EQ(link.RecordCount(), 3);
}

}  // namespace
