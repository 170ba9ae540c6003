// The table component on the cases file: key searches, ranges, index switches, master and
// detail, deleting inside a range and positioning on another table's record.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/db/DataLink.h"
#include "framework/db/DataSource.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"
#include "recordmgr/tests/RecordingLog.h"

namespace {

constexpr const char* kCasesTable = "YCase.qf;RES:YCASE";
// Key 4: client and left-justified suffix.
constexpr const char* kClientSuffixIndex = "4";

struct Matter {
  std::string client;
  std::string suffix;       // key 1's suffix
  std::string leftSuffix;   // key 4's suffix
};

std::string CaseSeed(const std::vector<Matter>& matters) {
  std::string text;
  for (const Matter& m : matters)
    text += "Client Code = " + m.client + "\nCase Suffix = " + m.suffix + "\nLeftJustCaseSuffix = " +
            m.leftSuffix + "\n\n";
  return text;
}

// Counts the whole-window changes the table announces to its links.
class ChangeCounter : public TDataLink {
 public:
  int changes = 0;

 protected:
  void DataSetChanged() override { ++changes; }
};

class TableTest : public datasettest::ClientsDatasetTest {
 protected:
  void seedMatters(const std::vector<Matter>& matters) {
    seed({"ADAMS", "BRIGHT", "CLARK"}, {}, CaseSeed(matters));
  }
  bindingtest::TestTableDataset* openCases(const char* index = kClientSuffixIndex) {
    return openClients(index, kCasesTable);
  }
  static std::string matter(TDataSet& cases) {
    return cases.FieldByName("Client Code")->AsString() + "/" + cases.FieldByName("LeftJustCaseSuffix")->AsString();
  }
  static std::vector<std::string> matters(TDataSet& cases) {
    std::vector<std::string> all;
    for (cases.First(); !cases.Eof(); cases.Next()) all.push_back(matter(cases));
    return all;
  }
  static std::string errorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no error";
  }

  const std::vector<Matter> standardMatters = {
      {"ADAMS", "B", "1"}, {"ADAMS", "A", "2"}, {"BRIGHT", "C", "1"}, {"CLARK", "D", "7"}};
};

TEST_F(TableTest, FindKeyFindsAMatterAndAMissingOneLeavesTheTableWithoutScrolling) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = openCases();
  ASSERT_TRUE(cases->FindKey({Variant("BRIGHT"), Variant("1")}));
  EXPECT_EQ(matter(*cases), "BRIGHT/1");

  int before = 0, after = 0;
  cases->BeforeScroll = [&](TDataSet*) { ++before; };
  cases->AfterScroll = [&](TDataSet*) { ++after; };
  EXPECT_FALSE(cases->FindKey({Variant("BRIGHT"), Variant("9")}));
  EXPECT_EQ(matter(*cases), "BRIGHT/1");
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 0);
  cases->Next();
  EXPECT_EQ(matter(*cases), "CLARK/7");
}

// A filtered table finds only what it shows: a key whose first record the filter hides is found
// on a later record of the same key, and not at all when the filter hides every record of it.
TEST_F(TableTest, FindKeyOnAFilteredTableFindsOnlyRecordsTheFilterShows) {
  struct Case {
    const char* filterText;        // empty: the callback filter hides suffix B
    VariantArray key;
    bool found;
    std::string current;           // the record the table stands on afterwards
  };
  const std::vector<Case> cases = {
      {"[Case Suffix] <> 'B'", {Variant("ADAMS")}, true, "ADAMS/2"},
      {"", {Variant("ADAMS")}, true, "ADAMS/2"},
      {"[Case Suffix] <> 'B'", {Variant("ADAMS"), Variant("1")}, false, "CLARK/7"},
      {"", {Variant("ADAMS"), Variant("1")}, false, "CLARK/7"},
      {"[Case Suffix] <> 'C'", {Variant("BRIGHT")}, false, "CLARK/7"},
      {"[Case Suffix] <> 'C'", {Variant("CLARK"), Variant("7")}, true, "CLARK/7"},
  };
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* table = openCases();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.filterText) + " " + c.key[0].AsString());
    table->SetFiltered(false);
    table->SetFilter(c.filterText);
    table->SetOnFilterRecord(nullptr);
    if (*c.filterText == '\0')
      table->SetOnFilterRecord(
          [](TDataSet* d, bool& accept) { accept = d->FieldByName("Case Suffix")->AsString() != "B"; });
    table->SetFiltered(true);
    table->Last();
    EXPECT_EQ(table->FindKey(c.key), c.found);
    EXPECT_EQ(matter(*table), c.current);
  }
}

// Locate and Lookup on the table's own index see what the filter shows, like the key search.
TEST_F(TableTest, LocateAndLookupOnAFilteredTableSeeOnlyRecordsTheFilterShows) {
  struct Case {
    const char* fields;
    VariantArray values;
    TLocateOptions options;
    bool found;
    std::string current;  // after Locate
    std::string looked;   // Lookup's LeftJustCaseSuffix, empty when not found
  };
  const std::vector<Case> cases = {
      {"Client Code", {Variant("ADAMS")}, 0, true, "ADAMS/2", "2"},
      {"Client Code", {Variant("BRIGHT")}, 0, false, "CLARK/7", ""},
      {"Client Code", {Variant("BR")}, loPartialKey, false, "CLARK/7", ""},
      {"Client Code;LeftJustCaseSuffix", {Variant("ADAMS"), Variant("1")}, 0, false, "CLARK/7", ""},
      {"Client Code;LeftJustCaseSuffix", {Variant("CLARK"), Variant("7")}, 0, true, "CLARK/7", "7"},
  };
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* table = openCases();
  table->SetFilter("[Case Suffix] <> 'B' and [Case Suffix] <> 'C'");
  table->SetFiltered(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fields) + " " + c.values[0].AsString());
    table->Last();
    EXPECT_EQ(table->Lookup(c.fields, c.values, "LeftJustCaseSuffix").AsString(), c.looked);
    EXPECT_EQ(table->Locate(c.fields, c.values, c.options), c.found);
    EXPECT_EQ(matter(*table), c.current);
  }
}

TEST_F(TableTest, FindNearestGoesToTheFirstMatterAtOrAfterTheKey) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = openCases();
  const std::vector<std::pair<VariantArray, std::string>> table = {
      {{Variant("ADAMS"), Variant("15")}, "ADAMS/2"},
      {{Variant("B")}, "BRIGHT/1"},
      {{Variant("BRIGHT"), Variant("2")}, "CLARK/7"},
  };
  for (const auto& [key, expected] : table) {
    cases->FindNearest(key);
    EXPECT_EQ(matter(*cases), expected);
  }
}

TEST_F(TableTest, MoreKeyValuesThanKeyFieldsAreRefused) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = openCases();
  EXPECT_EQ(errorOf([&] { cases->FindKey({Variant("ADAMS"), Variant("1"), Variant("X")}); }),
            "Field index out of range");
}

TEST_F(TableTest, ARangeKeepsFirstNextAndEndOfFileInsideAndTheSameRangeAgainDoesNotMove) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = openCases();
  cases->SetRange({Variant("ADAMS"), Variant("1")}, {Variant("ADAMS"), Variant("9")});
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"ADAMS/1", "ADAMS/2"}));
  EXPECT_TRUE(cases->Eof());

  cases->First();
  cases->Next();
  cases->SetRange({Variant("ADAMS"), Variant("1")}, {Variant("ADAMS"), Variant("9")});
  EXPECT_EQ(matter(*cases), "ADAMS/2");

  cases->CancelRange();
  EXPECT_EQ(matters(*cases).size(), 4u);
}

// Record calls only: the recording library also logs the loading and stopping of the engine.
size_t RecordCalls() {
  size_t count = 0;
  for (const RecordedCall& call : recordingtest::recordedCalls())
    if (call.entry == RecordedEntry::Call || call.entry == RecordedEntry::CallId) ++count;
  return count;
}

TEST_F(TableTest, TheSameRangeAppliedAgainLeavesTheRecordManagerAlone) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = openCases();
  const VariantArray low{Variant("ADAMS"), Variant("1")};
  const VariantArray high{Variant("ADAMS"), Variant("9")};
  recordingtest::clearRecordedCalls();
  cases->SetRange(low, high);
  EXPECT_GT(RecordCalls(), 0u);
  cases->Next();
  ASSERT_EQ(matter(*cases), "ADAMS/2");

  recordingtest::clearRecordedCalls();
  cases->SetRange(low, high);
  EXPECT_EQ(RecordCalls(), 0u);
  EXPECT_EQ(matter(*cases), "ADAMS/2");

  cases->SetRange({Variant("ADAMS"), Variant("2")}, high);
  EXPECT_GT(RecordCalls(), 0u);
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"ADAMS/2"}));
}

TEST_F(TableTest, CancelRangeWithoutARangeDoesNotResync) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = openCases();
  TDataSource source;
  source.SetDataSet(cases);
  ChangeCounter link;
  link.SetDataSource(&source);
  cases->Next();
  const int changes = link.changes;
  cases->CancelRange();
  EXPECT_EQ(link.changes, changes);
  cases->SetRange({Variant("ADAMS")}, {Variant("ADAMS")});
  const int ranged = link.changes;
  cases->CancelRange();
  EXPECT_GT(link.changes, ranged);
}

TEST_F(TableTest, ADetailFollowsItsMasterAndACircularLinkIsRefused) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* clients = openClients();
  bindingtest::TestTableDataset* cases = newClients(kClientSuffixIndex, kCasesTable);
  TDataSource clientSource, caseSource;
  clientSource.SetDataSet(clients);
  caseSource.SetDataSet(cases);
  cases->SetMasterSource(&clientSource);
  cases->SetMasterFields("Client Code");
  cases->Open();
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"ADAMS/1", "ADAMS/2"}));
  clients->Next();
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"BRIGHT/1"}));
  clients->Next();
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"CLARK/7"}));

  EXPECT_EQ(errorOf([&] { clients->SetMasterSource(&caseSource); }), "Circular datalinks are not allowed");
  EXPECT_EQ(clients->MasterSource(), nullptr);
}

TEST_F(TableTest, SwitchingTheIndexOfAnOpenTableReordersAndReadsBack) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = openCases();
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"ADAMS/1", "ADAMS/2", "BRIGHT/1", "CLARK/7"}));
  cases->SetIndexName("1");
  EXPECT_EQ(cases->IndexName(), "1");
  // Key 1 orders by the other suffix: A (left "2") before B (left "1").
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"ADAMS/2", "ADAMS/1", "BRIGHT/1", "CLARK/7"}));
  EXPECT_TRUE(cases->FindKey({Variant("ADAMS"), Variant("B")}));
  EXPECT_EQ(matter(*cases), "ADAMS/1");
}

TEST_F(TableTest, AnEmptyIndexNameAfterIndexFieldNamesEmptiesThem) {
  seedMatters({{"CLARK", "D", "7"}, {"ADAMS", "B", "1"}, {"ADAMS", "A", "2"}});
  bindingtest::TestTableDataset* cases = openCases();
  cases->SetIndexFieldNames("Client Code;Case Suffix");
  EXPECT_EQ(cases->IndexFieldNames(), "Client Code;Case Suffix");
  EXPECT_EQ(cases->IndexName(), "");
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"ADAMS/2", "ADAMS/1", "CLARK/7"}));
  cases->SetIndexName("");
  EXPECT_EQ(cases->IndexFieldNames(), "");
  // The empty name is key 0: the order the matters were added in.
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"CLARK/7", "ADAMS/1", "ADAMS/2"}));
}

TEST_F(TableTest, AnEmptyTableNameIsRefused) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = newClients(kClientSuffixIndex, "");
  EXPECT_EQ(errorOf([&] { cases->Open(); }), "Missing TableName property");
  EXPECT_FALSE(cases->Active());
}

TEST_F(TableTest, DeleteLeavesTheTableOnTheFollowingRecordOfTheRange) {
  seedMatters({{"ADAMS", "A", "1"}, {"ADAMS", "B", "2"}, {"ADAMS", "C", "3"}, {"BRIGHT", "C", "1"}});
  bindingtest::TestTableDataset* cases = openCases();
  cases->SetRange({Variant("ADAMS")}, {Variant("ADAMS")});
  cases->Next();
  cases->Delete();
  EXPECT_EQ(matter(*cases), "ADAMS/3");
  EXPECT_FALSE(cases->Eof());
  cases->Delete();
  EXPECT_TRUE(cases->Eof());
  cases->First();
  EXPECT_EQ(matters(*cases), (std::vector<std::string>{"ADAMS/1"}));
}

TEST_F(TableTest, GotoCurrentNeedsTheSameDatabaseNameAndTableName) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = openCases();
  bindingtest::TestTableDataset* other = openCases("1");
  other->Last();
  cases->GotoCurrent(*other);
  EXPECT_EQ(matter(*cases), "CLARK/7");

  bindingtest::TestTableDataset* elsewhere = newClients(kClientSuffixIndex, kCasesTable);
  elsewhere->SetDatabaseName(dataDir + "/.");
  elsewhere->Open();
  cases->First();
  EXPECT_EQ(errorOf([&] { cases->GotoCurrent(*elsewhere); }), "Source and destination tables are incompatible");
  EXPECT_EQ(matter(*cases), "ADAMS/1");
}

TEST_F(TableTest, AReadOnlyTableOpensTheFileForReadingAndRefusesEdits) {
  seedMatters(standardMatters);
  bindingtest::TestTableDataset* cases = newClients(kClientSuffixIndex, kCasesTable);
  cases->SetReadOnly(true);
  cases->Open();
  EXPECT_FALSE(cases->CanModify());
  EXPECT_EQ(errorOf([&] { cases->Edit(); }), "Cannot modify a read-only dataset");
  EXPECT_EQ(errorOf([&] { cases->SetReadOnly(false); }), "Cannot perform this operation on an open dataset");
  EXPECT_EQ(matters(*cases).size(), 4u);
}

}  // namespace
