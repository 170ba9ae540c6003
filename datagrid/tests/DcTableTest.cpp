// The library's extended table on record files made with qnseed: its filter lines, its record
// filter with the Escape exit, the index choice by field lists and the key and incremental
// searches.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "datagrid/DcEngineHelpers.h"
#include "datagrid/DcTable.h"
#include "datagrid/FieldOperators.h"
#include "datagrid/FilterIndexRange.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using clientstable::Client;
using qn::ui::testing::ScriptedMessageBoxes;

constexpr const char* kCodeTables = "YTable.qf;RES:SIMPLECD";

const std::vector<Client> kClients = {
    {"ADAMS", "Adams", "Boston"},   {"BRIGHT", "Bright", "Albany"},  {"CLARK", "Clark", "Boston"},
    {"DOYLE", "Doyle", "Chicago"},  {"EVANS", "Evans", "Boston"},    {"SMALL", "Small", "Albany"},
    {"SMITH", "Smith", "Chicago"},  {"SMOOT", "Smoot", "Boston"},    {"TAYLOR", "Taylor", "Albany"},
    {"SMYTHE", "Smythe", "Boston"}, {"WHITE", "White", "Chicago"}};

class DcTableTest : public clientstable::ClientsTableTest {
 protected:
  void SetUp() override {
    ClientsTableTest::SetUp();
    makeTable = [] { return std::make_unique<TdcTable>(nullptr); };
  }
  TdcTable& openDcClients(const char* index = "1") { return static_cast<TdcTable&>(openClients(kClients, index)); }
  TdcTable& openCodes(const std::vector<std::string>& codes) {
    std::string seed;
    for (const std::string& code : codes) seed += "type code = O\ncode = " + code + "\nDescription = office " + code + "\n\n";
    return static_cast<TdcTable&>(openSeeded("YTable.qf", kCodeTables, seed, " 5 - code+type code"));
  }
  std::string current(const char* field = clientstable::kCode) { return table->FieldByName(field)->AsString(); }
  // The codes a plain loop over the clients keeps.
  static std::vector<std::string> kept(const std::function<bool(const Client&)>& keep) {
    std::vector<std::string> codes;
    for (const Client& c : kClients)
      if (keep(c)) codes.push_back(c.code);
    std::sort(codes.begin(), codes.end());
    return codes;
  }
  static void setLines(StringList& list, std::initializer_list<const char*> texts) {
    list.Clear();
    for (const char* text : texts) list.Add(text);
  }
};

TEST_F(DcTableTest, ItIsMadeByClassNameAndAnswersTheFrameworkTableName) {
  TComponent form(nullptr);
  TComponent* made = CreateComponentByClassName("TdcTable", &form);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->InheritsFrom("TTable"));
  EXPECT_TRUE(ReadStringListProperty(made, "dcFilter").has_value());
}

TEST_F(DcTableTest, FilterLinesJoinedWithAndKeepWhatAPlainLoopKeeps) {
  struct Case {
    std::vector<const char*> lines;
    std::string joined;
    std::function<bool(const Client&)> keep;
  };
  const std::vector<Case> cases = {
      {{"City = \"Boston\""}, "City = \"Boston\"", [](const Client& c) { return c.city == "Boston"; }},
      {{"City = \"Boston\"", "", "Client Code > \"CZ\"  \t"},
       "City = \"Boston\" AND (Client Code > \"CZ\")",
       [](const Client& c) { return c.city == "Boston" && c.code > "CZ"; }},
      {{"City = \"Albany\" OR City = \"Chicago\"", "Client Code < \"SMZ\""},
       "City = \"Albany\" OR City = \"Chicago\" AND (Client Code < \"SMZ\")",
       [](const Client& c) { return (c.city == "Albany" || c.city == "Chicago") && c.code < "SMZ"; }},
  };
  TdcTable& clients = openDcClients();
  for (const Case& c : cases) {
    StringList text;
    for (const char* line : c.lines) text.Add(line);
    clients.SetdcFilter(&text);
    EXPECT_EQ(clients.dcFilterText(), c.joined);
    EXPECT_EQ(codes(), kept(c.keep)) << c.joined;
    EXPECT_FALSE(clients.IsSequenced());
  }
  // Reopening prepares the cursor with the same filter.
  clients.Close();
  clients.Open();
  EXPECT_EQ(codes(), kept(cases.back().keep));
  StringList none;
  clients.SetdcFilter(&none);
  EXPECT_EQ(codes().size(), kClients.size());
}

TEST_F(DcTableTest, AFilterLineThatDoesNotCompileShowsItsMessageAndKeepsTheFilter) {
  TdcTable& clients = openDcClients();
  StringList good;
  setLines(good, {"City = \"Boston\""});
  clients.SetdcFilter(&good);
  const std::vector<std::string> before = codes();
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtCustom, "Fail to set filter");
    StringList bad;
    setLines(bad, {"City = \"Boston\"", "Client Code >"});
    clients.SetdcFilter(&bad);
  }
  EXPECT_EQ(codes(), before);
}

TEST_F(DcTableTest, TheRecordFilterRejectsRecordsAndEscapeOnTheHundredthCallStopsIt) {
  std::vector<Client> many;
  for (int i = 0; i < 150; ++i) many.push_back({"C" + std::to_string(1000 + i), "Name", "Boston"});
  auto& clients = static_cast<TdcTable&>(openClients(many));
  int calls = 0, escapes = 0;
  clients.Extension().SetFilterOptions(kDefaultFilterOptions | (1u << dfoCancelOnEscape));
  clients.Extension().OnFilterEscape = [&](TDataSet* dataSet) {
    EXPECT_EQ(dataSet, &clients);
    ++escapes;
  };
  clients.Extension().SetOnFilter([&](TDataSet* dataSet, bool& accept) {
    ++calls;
    accept = dataSet->FieldByName(clientstable::kCode)->AsString() == "C1120";
  });
  EXPECT_EQ(codes(), std::vector<std::string>{"C1120"});
  EXPECT_EQ(escapes, 0);

  qn::ui::testing::qtApplication();
  QWidget target;
  QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b"));
  QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, "\x1b"));
  calls = 0;
  clients.Close();
  clients.Open();
  EXPECT_EQ(escapes, 1);
  EXPECT_EQ(calls, DcDataSetExtension::EscapeCheckEvery);
  EXPECT_FALSE(clients.Extension().FilteringEnabled());
  // Filtering off: every record passes without asking the handler.
  EXPECT_EQ(codes().size(), many.size());
  EXPECT_EQ(calls, DcDataSetExtension::EscapeCheckEvery);
}

TEST_F(DcTableTest, SwitchingFilteringOffFetchesTheRecordsAgain) {
  TdcTable& clients = openDcClients();
  clients.Extension().SetOnFilter([](TDataSet* d, bool& accept) {
    accept = d->FieldByName(clientstable::kCity)->AsString() == "Albany";
  });
  EXPECT_EQ(codes(), kept([](const Client& c) { return c.city == "Albany"; }));
  ASSERT_TRUE(WriteSetProperty(&clients, "OnFilterOptions", 1u << dfoShowHourglass));
  EXPECT_EQ(codes().size(), kClients.size());
}

TEST_F(DcTableTest, IndexNamesForFieldsTryExactBeforePrefixAndCaseInsensitiveFirst) {
  TdcTable& codes = openCodes({"AAA", "Klm"});
  auto key = [&](const char* fields) {
    const AnsiString name = codes.IndexNameForFields(fields);
    return name == "?" ? std::string("?") : std::string(1, name[1]);
  };
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"code;type code", "5"},        // case-insensitive, exact
      {"TYPE CODE;CODE", "2"},        // case-sensitive, exact (names compared without case)
      {"code", "5"},                  // case-insensitive, prefix
      {"type code", "1"},             // case-sensitive, prefix: the first index that begins so
      {"Description", "4"},           // case-sensitive, exact
      {"type code;Descr", "?"},       // a field name cut short fits no index
      {"Nickname", "?"},
  };
  for (const auto& [fields, expected] : cases) EXPECT_EQ(key(fields), expected) << fields;
  AnsiString name;
  EXPECT_FALSE(codes.IndexForFields("code", true, name, false)) << "no case-sensitive index begins with code";
  EXPECT_TRUE(codes.IndexForFields("type code", true, name, false));
  EXPECT_FALSE(codes.IndexForFields("type code", true, name, true));
}

TEST_F(DcTableTest, FindKeyValuesWarnsOfTooManyValuesAndFindsByKey) {
  TdcTable& clients = openDcClients();
  clients.SetName("Clients");
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "Table Clients: FindKey has too many lookup values for index 1");
    EXPECT_FALSE(FindKeyValues(&clients, {"CLARK", "x"}));
  }
  EXPECT_TRUE(FindKeyValues(&clients, {"SMITH"}));
  EXPECT_EQ(current(), "SMITH");
  EXPECT_FALSE(FindKeyValues(&clients, {"NOBODY"}));
  EXPECT_EQ(current(), "SMITH");
  clients.SetIndexName("0");
  EXPECT_FALSE(FindKeyValues(&clients, {"abc"})) << "no number: nothing searched";
  EXPECT_EQ(current(), "SMITH");
}

TEST_F(DcTableTest, IncrementalFindAnswersAMatchByTheFieldsType) {
  TdcTable& clients = openDcClients("0");
  clients.First();
  struct Case {
    const char* value;
    bool found;
    std::string code;  // where the table stands afterwards
  };
  // Key 0 is the record number the record manager gave each client in seeding order.
  const std::vector<Case> cases = {{"3", true, "CLARK"}, {"7", true, "SMITH"}, {"abc", false, "SMITH"},
                                   {"1.5", false, "SMITH"}};
  for (const Case& c : cases) {
    EXPECT_EQ(IncrementalFind(&clients, c.value, 0), c.found) << c.value;
    EXPECT_EQ(current(), c.code) << c.value;
  }
}

TEST_F(DcTableTest, IncrementalFindOnACaseInsensitiveIndexMatchesAStartWithoutCase) {
  TdcTable& codes = openCodes({"AAA", "ABC", "Klm", "LMN"});
  EXPECT_TRUE(IncrementalFind(&codes, "kl", 0));
  EXPECT_EQ(current("code"), "Klm");
  EXPECT_FALSE(IncrementalFind(&codes, "KX", 0));
  EXPECT_FALSE(IncrementalFind(&codes, "", 0)) << "an empty text matches only an empty field";
  EXPECT_EQ(current("code"), "AAA");
}

// The program opens its tables by key number. A start match without case on the active index
// becomes a key range only when the index is without case, so the filter must find the active
// index however it was named.
TEST_F(DcTableTest, AFilterWithoutCaseUsesTheActiveIndexWhetherChosenByNumberOrFullName) {
  for (const char* index : {"5", " 5 - code+type code"}) {
    SCOPED_TRACE(index);
    TdcTable& codeTable = openCodes({"AAA", "KAB", "KLM", "KLX", "LMN"});
    codeTable.SetIndexName(index);
    TdcFieldInfo start;
    start.FieldName = "code";
    start.MatchType = fdMatchStart;
    start.FilterValue = "KL";
    start.CaseSensitive = false;
    ASSERT_TRUE(ApplyFilterIndexRange(codeTable, {start}, TdcFieldOperators(), fdUseActiveIndex, 'z'));
    std::vector<std::string> shown;
    for (codeTable.First(); !codeTable.Eof(); codeTable.Next()) shown.push_back(current("code"));
    EXPECT_EQ(shown, (std::vector<std::string>{"KLM", "KLX"}));
  }
}

// Index 5 is without case, index 2 (type code, then code) with case.
TEST_F(DcTableTest, ANarrowedSearchKeepsTheCodesOfEitherCaseOnlyOnAnIndexWithoutCase) {
  struct Case {
    const char* index;
    int keyIndex;
    const char* value;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"5", 0, "KL", {"KLM", "klx"}}, {"5", 0, "kl", {"KLM", "klx"}}, {"5", 0, "ka", {"Kab"}},
      {"2", 1, "KL", {"KLM"}},        {"2", 1, "kl", {"klx"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.index) + " " + c.value);
    TdcTable& codeTable = openCodes({"AAA", "Kab", "KLM", "klx", "LMN"});
    codeTable.SetIndexName(c.index);
    codeTable.NarrowSearch = true;
    EXPECT_TRUE(IncrementalFind(&codeTable, c.value, c.keyIndex));
    std::vector<std::string> shown;
    for (codeTable.First(); !codeTable.Eof(); codeTable.Next()) shown.push_back(current("code"));
    EXPECT_EQ(shown, c.expected);
  }
}

TEST_F(DcTableTest, AFilterWithoutCaseOnAnIndexWithoutCaseKeepsTheCodesOfEitherCase) {
  for (const char* value : {"KL", "kl"}) {
    SCOPED_TRACE(value);
    TdcTable& codeTable = openCodes({"AAA", "Kab", "KLM", "klx", "LMN"});
    codeTable.SetIndexName("5");
    TdcFieldInfo start;
    start.FieldName = "code";
    start.MatchType = fdMatchStart;
    start.FilterValue = value;
    start.CaseSensitive = false;
    ASSERT_TRUE(ApplyFilterIndexRange(codeTable, {start}, TdcFieldOperators(), fdUseActiveIndex, 'z'));
    std::vector<std::string> shown;
    for (codeTable.First(); !codeTable.Eof(); codeTable.Next()) shown.push_back(current("code"));
    EXPECT_EQ(shown, (std::vector<std::string>{"KLM", "klx"}));
  }
}

TEST(IncrementalMatch, NumbersCompareByValueAndTextsByTheirStart) {
  MemoryDataSet values(nullptr);
  values.FieldDefs().Add("Number", ftInteger);
  values.FieldDefs().Add("Amount", ftFloat);
  values.FieldDefs().Add("Name", ftString, 20);
  values.Open();
  values.AppendRecord({Variant(42), Variant(1.5), Variant(AnsiString("Smithers"))});
  struct Case {
    const char* field;
    const char* value;
    bool matches;
  };
  const std::vector<Case> cases = {{"Number", "42", true},   {"Number", "4", false},  {"Number", "042", false},
                                   {"Amount", "1.50", true}, {"Amount", "1.5", true}, {"Amount", "1", false},
                                   {"Name", "smi", true},    {"Name", "SMITHERS", true}, {"Name", "mith", false},
                                   {"Name", "", false}};
  for (const Case& c : cases)
    EXPECT_EQ(IncrementalMatch(*values.FieldByName(c.field), c.value), c.matches) << c.field << " " << c.value;
}

TEST_F(DcTableTest, NarrowSearchKeepsTheRangeFromTheValueToItsPaddedEnd) {
  TdcTable& clients = openDcClients();
  clients.NarrowSearch = true;
  EXPECT_TRUE(IncrementalFind(&clients, "SM", 0));
  EXPECT_EQ(codes(), (std::vector<std::string>{"SMALL", "SMITH", "SMOOT", "SMYTHE"}));
  clients.NarrowSearchUpperChar = 'M';
  EXPECT_TRUE(IncrementalFind(&clients, "SM", 0));
  EXPECT_EQ(codes(), (std::vector<std::string>{"SMALL", "SMITH"})) << "SMOOT sorts after SMMMMMM";
  EXPECT_FALSE(IncrementalFind(&clients, "X", 0));
  EXPECT_TRUE(codes().empty());
  IncrementalFind(&clients, "", 0);
  EXPECT_EQ(codes().size(), kClients.size());
}

TEST_F(DcTableTest, SwitchingTheIndexKeepsTheRecord) {
  TdcTable& clients = openDcClients();
  ASSERT_TRUE(clients.FindKey({Variant(AnsiString("DOYLE"))}));
  clients.UpdateIndexDefs();
  const int byName = clients.IndexDefs().IndexOf(clients.IndexNameForFields(clientstable::kLastName));
  ASSERT_GE(byName, 0);
  SwitchIndexKeepingPosition(&clients, clients.IndexDefs().Items(byName));
  EXPECT_EQ(current(), "DOYLE");
  EXPECT_EQ(clients.FirstIndexField(), clientstable::kLastName);
  clients.Next();
  EXPECT_EQ(current(), "EVANS");
  EXPECT_TRUE(clients.SelectIndexForFields(clientstable::kCode));
  EXPECT_EQ(current(), "EVANS");
  EXPECT_EQ(clients.FirstIndexField(), clientstable::kCode);
}

TEST_F(DcTableTest, KeyRangesComeFromValuesOrFromAnotherTablesRecord) {
  TdcTable& clients = openDcClients();
  clients.SetKeyRange({Variant(AnsiString("SMITH")), Variant(AnsiString("ignored"))}, 0);
  EXPECT_EQ(codes(), std::vector<std::string>{"SMITH"});
  MemoryDataSet other(nullptr);
  other.FieldDefs().Add(clientstable::kCode, ftString, 7);
  other.Open();
  other.AppendRecord({Variant(AnsiString("CLARK"))});
  clients.RangeToRecordOf(&other);
  EXPECT_EQ(codes(), std::vector<std::string>{"CLARK"});
  clients.CancelSearchRange();
  EXPECT_EQ(codes().size(), kClients.size());
  EXPECT_TRUE(clients.FindNearestIncremental("DO", 0));
  EXPECT_EQ(current(), "DOYLE");
  EXPECT_EQ(clients.LookupSearchCount, 0);
}

TEST_F(DcTableTest, TheFirstSelectedLineChoosesTheIndex) {
  TdcTable& clients = openDcClients();
  StringList selected;
  selected.Add(std::string(clientstable::kLastName) + "\t20\tName");
  selected.Add(std::string(clientstable::kCode) + "\t7\tCode");
  clients.SetIndexFromSelected(&selected);
  EXPECT_EQ(clients.FirstIndexField(), clientstable::kLastName);
}

TEST(ScanFilterToken, QuotedTextsAndRunsOfNameCharacters) {
  const AnsiString text = "  \tCLIENT_NO.2 'a b' \"x\" $A9 lower";
  int pos = 1;
  std::vector<std::string> tokens;
  for (AnsiString token = ScanFilterToken(text, pos); !token.empty(); token = ScanFilterToken(text, pos))
    tokens.push_back(token);
  EXPECT_EQ(tokens, (std::vector<std::string>{"CLIENT_NO.2", "'a b'", "\"x\"", "$A9", "l", "o", "w", "e", "r"}));
}

}  // namespace
