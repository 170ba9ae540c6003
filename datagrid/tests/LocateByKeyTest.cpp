// Locating on a framework table whose active index leads with the searched field: the searches
// the index answers go by key, the others read the records; engine calls are read back from the
// recording library.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "datagrid/LocateRecord.h"
#include "datagrid/tests/ClientsTbTable.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "recordmgr/BtrieveConstants.h"
#include "recordmgr/tests/RecordingLog.h"

namespace {

constexpr const char* kCodeTables = "YTable.qf;RES:SIMPLECD";
// Key 5: the code, without regard to case, then the type code.
constexpr const char* kCodeIndex = " 5 - code+type code";
constexpr const char* kCodeField = "code";

// The record manager's key searches past the given key.
constexpr uint16_t kGetGreater = 8;
constexpr uint16_t kGetGreaterOrEqual = 9;

const std::vector<std::string> kCodes = {"AAA", "ABC", "BCD", "CDE", "DEF", "EFG", "FGH",
                                         "GHI", "HIJ", "IJK", "JKL", "Klm", "LMN", "MNO"};

class LocateByKeyTest : public clientstable::ClientsTableTest {
 protected:
  // The code table on the index given by name (the code index unless told).
  TTable& openCodes(const char* index = kCodeIndex) {
    std::string seed;
    for (const std::string& code : kCodes) seed += "type code = O\ncode = " + code + "\nDescription = office " + code + "\n\n";
    TTable& codes = openSeeded("YTable.qf", kCodeTables, seed, index);
    codes.First();
    recordingtest::clearRecordedCalls();
    return codes;
  }
  static std::string code(TDataSet& codes) { return codes.FieldByName(kCodeField)->AsString(); }
  // How many record calls of that operation the recording library has seen.
  static long calls(uint16_t op) {
    const std::vector<RecordedCall> all = recordingtest::recordedCalls();
    return std::count_if(all.begin(), all.end(), [op](const RecordedCall& call) {
      return (call.entry == RecordedEntry::Call || call.entry == RecordedEntry::CallId) && call.op % 100 == op;
    });
  }
};

// The key searches the record manager was asked for (equal, greater, greater or equal), as the
// searched text at the head of their key buffers.
std::vector<std::string> KeySearches() {
  std::vector<std::string> keys;
  for (const RecordedCall& call : recordingtest::recordedCalls()) {
    const uint16_t op = call.op % 100;
    if (op == BtrieveOperationCodes::GetEqual || op == kGetGreater || op == kGetGreaterOrEqual)
      keys.emplace_back(reinterpret_cast<const char*>(call.keyHead), 3);
  }
  return keys;
}

TEST_F(LocateByKeyTest, AStartSearchTheIndexAnswersGoesByKeyAndOneWithCaseReadsTheRecords) {
  TTable& codes = openCodes();
  ASSERT_TRUE(LocateRecord(true, &codes, kCodeField, false, mtPartialMatchStart, "kl"));
  EXPECT_EQ(code(codes), "Klm");
  EXPECT_EQ(KeySearches(), std::vector<std::string>{"KL "});
  EXPECT_EQ(calls(BtrieveOperationCodes::GetFirst), 0);

  codes.First();
  recordingtest::clearRecordedCalls();
  ASSERT_TRUE(LocateRecord(true, &codes, kCodeField, true, mtPartialMatchStart, "Kl"));
  EXPECT_EQ(code(codes), "Klm");
  EXPECT_TRUE(KeySearches().empty());
  // Every record before the match was read.
  EXPECT_GE(calls(BtrieveOperationCodes::GetNext), 11);
}

TEST_F(LocateByKeyTest, AnExactSearchWithoutCaseGoesByKey) {
  TTable& codes = openCodes();
  ASSERT_TRUE(LocateRecord(true, &codes, kCodeField, false, mtExactMatch, "klm"));
  EXPECT_EQ(code(codes), "Klm");
  ASSERT_EQ(KeySearches().size(), 1u);
  codes.Last();
  EXPECT_FALSE(LocateRecord(true, &codes, kCodeField, false, mtExactMatch, "kl"));
  EXPECT_EQ(code(codes), "MNO");
}

TEST_F(LocateByKeyTest, AStartSearchByKeyThatFindsNothingStaysWhereItWas) {
  TTable& codes = openCodes();
  ASSERT_TRUE(LocateRecord(true, &codes, kCodeField, false, mtPartialMatchStart, "de"));
  EXPECT_EQ(code(codes), "DEF");
  // Next: the record after DEF does not start with "DE".
  EXPECT_FALSE(LocateRecord(false, &codes, kCodeField, false, mtPartialMatchStart, "de"));
  EXPECT_EQ(code(codes), "DEF");
  // "AB" sorts before the current record: nothing after it can start with it.
  recordingtest::clearRecordedCalls();
  EXPECT_FALSE(LocateRecord(false, &codes, kCodeField, false, mtPartialMatchStart, "ab"));
  EXPECT_EQ(code(codes), "DEF");
  EXPECT_TRUE(KeySearches().empty());
  // Between two codes: the nearest record does not match and the table comes back.
  EXPECT_FALSE(LocateRecord(true, &codes, kCodeField, false, mtPartialMatchStart, "dz"));
  EXPECT_EQ(code(codes), "DEF");
}

TEST_F(LocateByKeyTest, OnACaseSensitiveIndexAnExactSearchGoesByKeyOnlyWithCase) {
  TTable& clients = openClients({{"ADAMS", "Adams", "Paris"}, {"BRIGHT", "Bright", "Rome"}, {"CLARK", "Clark", "Oslo"}},
                                " 1 - Client Code");
  recordingtest::clearRecordedCalls();
  ASSERT_TRUE(LocateRecord(true, &clients, clientstable::kCode, true, mtExactMatch, "CLARK"));
  EXPECT_EQ(clients.FieldByName(clientstable::kCode)->AsString(), "CLARK");
  EXPECT_EQ(KeySearches().size(), 1u);
  EXPECT_EQ(calls(BtrieveOperationCodes::GetFirst), 0);

  clients.First();
  recordingtest::clearRecordedCalls();
  ASSERT_TRUE(LocateRecord(true, &clients, clientstable::kCode, false, mtExactMatch, "clark"));
  EXPECT_EQ(clients.FieldByName(clientstable::kCode)->AsString(), "CLARK");
  EXPECT_TRUE(KeySearches().empty());
}

// The program opens its tables by key number; the index is the same one however it was named.
TEST_F(LocateByKeyTest, TheActiveIndexIsRecognisedWhetherChosenByKeyNumberFullNameOrFields) {
  struct Case {
    const char* index;
    bool byFields;
    const char* field;
    const char* value;
    bool caseSensitive;
  };
  const Case cases[] = {
      {"4", false, "Description", "office Klm", true},  // key 4: the description, with case
      {"5", false, kCodeField, "klm", false},           // key 5: the code, without case
      {kCodeIndex, false, kCodeField, "klm", false},
      {"Description", true, "Description", "office Klm", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    TTable& codes = c.byFields ? openCodes("1") : openCodes(c.index);
    if (c.byFields) {
      codes.SetIndexFieldNames(c.index);
      codes.First();
      recordingtest::clearRecordedCalls();
    }
    ASSERT_TRUE(LocateRecord(true, &codes, c.field, c.caseSensitive, mtExactMatch, c.value));
    EXPECT_EQ(code(codes), "Klm");
    EXPECT_EQ(KeySearches().size(), 1u) << "found by key";
    EXPECT_EQ(calls(BtrieveOperationCodes::GetFirst), 0) << "no scan from the first record";
    EXPECT_LT(calls(BtrieveOperationCodes::GetNext), 11) << "the records before it were not read one by one";
  }
}

// The application's table opened by key number, as the program opens its tables: a locate on the
// active index's leading field goes by key and lands where reading the records would.
TEST_F(LocateByKeyTest, OnTheApplicationsTableALocateOnTheLeadingFieldOfTheKeyNumberGoesByKey) {
  std::vector<clientstable::Client> clients;
  for (const std::string& name : kCodes) clients.push_back({"C" + name, "Name" + name, "Oslo"});
  std::string codeSeed;
  for (const std::string& name : kCodes) codeSeed += "type code = O\ncode = " + name + "\nDescription = office " + name + "\n\n";
  struct Case {
    const char* fileName;
    const char* tableName;
    std::string seed;
    const char* index;  // key 3 of the clients: the last name, then the first name, with case
    const char* field;
    const char* value;
    const char* keyField;
    const char* found;
  };
  const Case cases[] = {
      {"YClient.qf", clientstable::kClientsTable, clientsSeed(clients), "3", clientstable::kLastName, "NameKlm",
       clientstable::kCode, "CKlm"},
      {"YTable.qf", kCodeTables, codeSeed, "4", "Description", "office Klm", kCodeField, "Klm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    std::unique_ptr<TdcTbTable> table(datasettest::newClientsTable(nullptr, seedDataFolder(c.fileName, c.seed)));
    table->SetTableName(c.tableName);
    table->SetIndexName(c.index);
    table->Open();
    table->First();
    recordingtest::clearRecordedCalls();
    ASSERT_TRUE(LocateRecord(true, table.get(), c.field, true, mtExactMatch, c.value));
    EXPECT_EQ(table->FieldByName(c.keyField)->AsString(), c.found);
    EXPECT_EQ(KeySearches().size(), 1u) << "found by key";
    EXPECT_EQ(calls(BtrieveOperationCodes::GetFirst), 0) << "no scan from the first record";
    EXPECT_LT(calls(BtrieveOperationCodes::GetNext), 11) << "the records before it were not read one by one";

    // A value no record holds: the table stays where it was, as after reading every record.
    EXPECT_FALSE(LocateRecord(true, table.get(), c.field, true, mtExactMatch, "Nobody"));
    EXPECT_EQ(table->FieldByName(c.keyField)->AsString(), c.found);
  }
}

TEST_F(LocateByKeyTest, ALocateOnTheStartOfACodeWithoutCaseGoesByTheIndex) {
  TTable& codes = openCodes();
  for (const char* typed : {"kl", "KL", "Kl"}) {
    SCOPED_TRACE(typed);
    codes.First();
    recordingtest::clearRecordedCalls();
    ASSERT_TRUE(codes.Locate(kCodeField, {Variant(typed)}, loPartialKey | loCaseInsensitive));
    EXPECT_EQ(code(codes), "Klm");
    EXPECT_EQ(calls(kGetGreaterOrEqual), 1);
  }
  codes.First();
  EXPECT_FALSE(codes.Locate(kCodeField, {Variant("kn")}, loPartialKey | loCaseInsensitive));
  EXPECT_EQ(code(codes), "AAA");
}

}  // namespace
