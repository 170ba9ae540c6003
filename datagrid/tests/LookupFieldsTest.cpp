// Lookup fields of the extended table: a calculated field filled from a second table named in a
// LookupFields line (a code table under a dictionary name, as a line cannot carry a layout
// option), found by key, or by locate on a table without index fields (the rows of a statement).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "datagrid/DcTable.h"
#include "datagrid/LookupFieldResolution.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/db/FieldFactory.h"
#include "framework/db/StringField.h"
#include "recordmgr/tests/BtrDictionaryFolder.h"
#include "recordmgr/tests/SqlLoginName.h"

namespace {

using clientstable::Client;

constexpr uint8_t kStringType = 0;
constexpr uint8_t kIntegerType = 1;
constexpr const char* kOfficeName = "Office Name";

class LookupFieldsTest : public clientstable::ClientsTableTest {
 protected:
  void SetUp() override {
    ClientsTableTest::SetUp();
    makeTable = [] { return std::make_unique<TdcTable>(nullptr); };
    // The code table: offices "BO" and "NY" of type "O", and a "BO" of another type.
    openSeeded("YTable.qf", "YTable.qf;RES:SIMPLECD",
               "type code = O\ncode = BO\nDescription = Boston office\n\n"
               "type code = O\ncode = NY\nDescription = New York office\n\n"
               "type code = X\ncode = BO\nDescription = not an office\n\n",
               "5");
    const std::string seeded = table->DatabaseName() + "/YTable.qf";
    table.reset();
    dictionary = std::make_unique<btrtest::DictionaryFolder>(false);
    ASSERT_EQ(std::system(("cp '" + seeded + "' '" + dictionary->path() + "/YTable.qf'").c_str()), 0);
    dictionary->addTable(1, "CODES", "YTable.qf");
    dictionary->addField(1, 1, "AutoIncrement", kIntegerType, 0, 4);
    dictionary->addField(2, 1, "type code", kStringType, 4, 1);
    dictionary->addField(3, 1, "transaction type", kStringType, 5, 1);
    dictionary->addField(4, 1, "code", kStringType, 6, 4);
    dictionary->addField(5, 1, "Description", kStringType, 11, 120);
  }

  // The clients with their office codes and types, a calculated office name among persistent
  // fields, and the lookup lines.
  TdcTable& openClientsWithLookup(const std::vector<std::pair<std::string, std::string>>& offices,
                                  const std::string& fieldsLine, const std::string& linksLine) {
    std::string seed;
    for (const auto& [code, office] : offices)
      seed += std::string(clientstable::kCode) + " = " + code + "\nOffice Code = " + office +
              "\nClient Type 1 = O\n\n";
    auto& clients = static_cast<TdcTable&>(openSeeded("YClient.qf", clientstable::kClientsTable, seed, "1"));
    clients.Close();
    for (int i = 0; i < clients.FieldDefs().Count(); ++i)
      CreateFieldOfType(clients.FieldDefs().Items(i), &fieldOwner)->SetDataSet(&clients);
    auto* name = new TStringField(&fieldOwner);
    name->SetFieldName(kOfficeName);
    name->SetSize(120);
    name->SetFieldKind(fkCalculated);
    name->SetDataSet(&clients);
    clients.Extension().LookupFields.Add(fieldsLine);
    clients.Extension().LookupLinks.Add(linksLine);
    clients.Open();
    return clients;
  }
  std::string lineFor(const char* index) const {
    return std::string(kOfficeName) + ";" + dictionary->path() + ";CODES;Description;" + index;
  }
  std::vector<std::string> names(TDataSet& clients) {
    std::vector<std::string> all;
    for (clients.First(); !clients.Eof(); clients.Next()) all.push_back(clients.FieldByName(kOfficeName)->AsString());
    return all;
  }

  TComponent fieldOwner{nullptr};
  std::unique_ptr<btrtest::DictionaryFolder> dictionary;
};

TEST_F(LookupFieldsTest, ACalculatedFieldIsFilledFromTheOtherTableByKey) {
  TdcTable& clients = openClientsWithLookup({{"ADAMS", "BO"}, {"BROWN", "NY"}, {"CLARK", "LA"}},
                                            lineFor("5"), "Office Code;code;Client Type 1;type code");
  EXPECT_EQ(names(clients), (std::vector<std::string>{"Boston office", "New York office", ""}));
  ASSERT_EQ(GetLookupTableList(&clients)->size(), 1u);
  TdcTable& codes = *GetLookupTableList(&clients)->front();
  EXPECT_GT(codes.IndexFieldCount(), 0);
  EXPECT_TRUE(codes.ReadOnly());
  clients.Close();
  EXPECT_TRUE(GetLookupTableList(&clients)->empty()) << "closing frees the internal tables";
}

TEST_F(LookupFieldsTest, OnATableWithoutIndexFieldsTheRecordIsLocated) {
  TdcTable& clients = openClientsWithLookup({{"one", "BO"}, {"three", "NY"}}, lineFor("5"), "Office Code;code");
  // The rows of an SQL statement have no index fields.
  TdcTable ledger(nullptr);
  ledger.SetDatabaseName(sqldrivertest::makeLoginDatabase("LOOKUPDB"));
  ledger.Query()->Add("query SELECT A, B FROM LEDGER");
  ledger.Open();
  ASSERT_EQ(ledger.IndexFieldCount(), 0);
  const std::vector<AnsiString> links = {clientstable::kCode, "A"};
  clients.Last();
  EXPECT_TRUE(PositionByLinks(&ledger, &clients, links));
  EXPECT_EQ(ledger.FieldByName("B")->AsInteger(), 3);
  clients.First();
  EXPECT_TRUE(PositionByLinks(&ledger, &clients, links));
  EXPECT_EQ(ledger.FieldByName("B")->AsInteger(), 1);
}

TEST_F(LookupFieldsTest, TwoLinesOfTheSameTableAndLinksShareOneInternalTable) {
  TdcTable& clients =
      openClientsWithLookup({{"ADAMS", "BO"}, {"BROWN", "NY"}}, lineFor("5"), "Office Code;code;Client Type 1;type code");
  auto* second = new TStringField(&fieldOwner);
  clients.Close();
  second->SetFieldName("Office Code Again");
  second->SetSize(4);
  second->SetFieldKind(fkCalculated);
  second->SetDataSet(&clients);
  clients.Extension().LookupFields.Add("Office Code Again;" + dictionary->path() + ";CODES;code;5");
  clients.Extension().LookupLinks.Add("office code;CODE;client type 1;TYPE CODE");
  clients.Open();
  EXPECT_EQ(names(clients), (std::vector<std::string>{"Boston office", "New York office"}));
  clients.First();
  EXPECT_EQ(clients.FieldByName("Office Code Again")->AsString(), "BO");
  clients.Next();
  EXPECT_EQ(clients.FieldByName("Office Code Again")->AsString(), "NY");
  ASSERT_EQ(GetLookupTableList(&clients)->size(), 1u) << "links equal without case: one table serves both lines";
  EXPECT_TRUE(GetLookupTableList(&clients)->front()->LookupPositioned);
}

TEST_F(LookupFieldsTest, FourteenLinkTokensNeverFindByKey) {
  TdcTable& clients = openClientsWithLookup({{"ADAMS", "BO"}}, lineFor("5"), "Office Code;code;Client Type 1;type code");
  TdcTable& codes = *GetLookupTableList(&clients)->front();
  std::vector<AnsiString> tokens;
  for (int i = 0; i < 7; ++i) {
    tokens.push_back("Office Code");
    tokens.push_back("code");
  }
  EXPECT_FALSE(PositionByLinks(&codes, &clients, tokens));
  tokens.resize(4);
  tokens[2] = "Client Type 1";
  tokens[3] = "type code";
  EXPECT_TRUE(PositionByLinks(&codes, &clients, tokens));
  EXPECT_EQ(codes.FieldByName("Description")->AsString(), "Boston office");
}

TEST_F(LookupFieldsTest, ALookupControlsTableIsPositionedForTheFieldAndTheGridReadsTheValue) {
  TdcTable& clients = openClientsWithLookup({{"ADAMS", "NY"}}, lineFor("5"), "Office Code;code;Client Type 1;type code");
  TdcTable codes(nullptr);
  codes.SetDatabaseName(dictionary->path());
  codes.SetTableName("CODES");
  codes.SetIndexName("1");
  codes.Open();
  AnsiString firstLink;
  EXPECT_TRUE(PositionLookupTable(&clients, &codes, "office name", firstLink));
  EXPECT_EQ(firstLink, "Office Code");
  EXPECT_EQ(codes.IndexName(), "5") << "the line's index is made current";
  EXPECT_EQ(codes.FieldByName("Description")->AsString(), "New York office");
  EXPECT_FALSE(PositionLookupTable(&clients, &codes, "City", firstLink)) << "no line for the field";

  AnsiString value, lookupField;
  EXPECT_TRUE(FindLookupFieldValue(clients.FieldByName(kOfficeName), value, lookupField));
  EXPECT_EQ(value, "NY");
  EXPECT_EQ(lookupField, "Description");
  EXPECT_FALSE(FindLookupFieldValue(clients.FieldByName(clientstable::kCode), value, lookupField));
}

TEST_F(LookupFieldsTest, AMissingMasterFieldHidesTheField) {
  TdcTable& clients = openClientsWithLookup({{"ADAMS", "BO"}}, lineFor("5"), "Nickname;code");
  EXPECT_FALSE(clients.FieldByName(kOfficeName)->Visible());
  EXPECT_EQ(clients.FieldByName(kOfficeName)->AsString(), "");
}

}  // namespace
