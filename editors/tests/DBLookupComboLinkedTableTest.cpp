// The linked lookup combo over record files: the library's clients table shows its office's name in a
// calculated field that its LookupFields and LookupLinks lines fill from the code table (under a
// dictionary name), and the combo on that field picks an office from the code table and writes
// the code and the type into the client's fields the links name.
#include <array>
#include <cstdlib>

#include "datagrid/DcTable.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "editors/tests/LookupComboFixture.h"
#include "framework/db/FieldFactory.h"
#include "framework/db/StringField.h"
#include "recordmgr/tests/BtrDictionaryFolder.h"

namespace editorstest {
namespace {

constexpr uint8_t kStringType = 0;
constexpr uint8_t kIntegerType = 1;

struct Seeder : clientstable::ClientsTableTest {
  using ClientsTableTest::seedDataFolder;
};

class DBLookupComboLinkedTableTest : public LookupComboTest {
 protected:
  void SetUp() override {
    LookupComboTest::SetUp();
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    std::string seed;
    for (const auto& [type, code, text] : std::vector<std::array<const char*, 3>>{
             {"O", "BO", "Boston office"}, {"O", "NY", "New York office"}, {"X", "BO", "not an office"}})
      seed += std::string("type code = ") + type + "\ncode = " + code + "\nDescription = " + text + "\n\n";
    const std::string codesFolder = Seeder::seedDataFolder("YTable.qf", seed);
    dictionary = std::make_unique<btrtest::DictionaryFolder>(false);
    ASSERT_EQ(std::system(("cp '" + codesFolder + "/YTable.qf' '" + dictionary->path() + "/YTable.qf'").c_str()), 0);
    dictionary->addTable(1, "CODES", "YTable.qf");
    dictionary->addField(1, 1, "AutoIncrement", kIntegerType, 0, 4);
    dictionary->addField(2, 1, "type code", kStringType, 4, 1);
    dictionary->addField(3, 1, "transaction type", kStringType, 5, 1);
    dictionary->addField(4, 1, "code", kStringType, 6, 4);
    dictionary->addField(5, 1, "Description", kStringType, 11, 120);
    offices.SetDatabaseName(codesFolder);
    offices.SetTableName("YTable.qf;RES:SIMPLECD");
    offices.SetIndexName("5");
    offices.Open();

    clients.SetDatabaseName(Seeder::seedDataFolder(
        "YClient.qf", "Client Code = ADAMS\nOffice Code = NY\nClient Type 1 = O\n\n"
                      "Client Code = BROWN\nOffice Code = BO\nClient Type 1 = O\n\n"));
    clients.SetTableName(clientstable::kClientsTable);
    clients.SetIndexName("1");
    clients.Open();
    clients.Close();
    for (int i = 0; i < clients.FieldDefs().Count(); ++i)
      CreateFieldOfType(clients.FieldDefs().Items(i), &fieldOwner)->SetDataSet(&clients);
    auto* name = new TStringField(&fieldOwner);
    name->SetFieldName("Office Name");
    name->SetSize(120);
    name->SetFieldKind(fkCalculated);
    name->SetDataSet(&clients);
    clients.Extension().LookupFields.Add("Office Name;" + dictionary->path() + ";CODES;Description;5");
    // In the order of the code table's index: the office code, then its type.
    clients.Extension().LookupLinks.Add("Office Code;code;Client Type 1;type code");
    clients.Open();
    clientsSource.SetDataSet(&clients);
  }
  void TearDown() override {
    form.reset();
    clients.Close();
    offices.Close();
    LookupComboTest::TearDown();
  }

  TComponent fieldOwner{nullptr};
  std::unique_ptr<btrtest::DictionaryFolder> dictionary;
  TdcTable offices{nullptr};
  TdcTable clients{nullptr};
  TDataSource clientsSource{nullptr};
};

TEST_F(DBLookupComboLinkedTableTest, TheComboOnTheLookedUpNameWritesTheCodeAndTypeOfTheOfficePicked) {
  auto* c = place<TdcDBLookupCombo>();
  c->SetLookupTable(&offices);
  c->SetDataSource(&clientsSource);
  c->SetDataField("Office Name");
  EXPECT_EQ(c->LookupField(), "code;type code") << "the lookup side of the links";
  ASSERT_TRUE(show());
  EXPECT_EQ(c->Text(), "New York office");
  clients.Next();
  EXPECT_EQ(c->Text(), "Boston office");
  clients.First();
  c->SetFocus();
  clients.Edit();
  c->DropDown();
  EXPECT_EQ(offices.FieldByName("type code")->AsString(), "O") << "located by the last pair";
  for (int i = 0; i < 3 && offices.FieldByName("Description")->AsString() != "not an office"; ++i) key(c, Qt::Key_Down);
  ASSERT_EQ(offices.FieldByName("Description")->AsString(), "not an office");
  key(c, Qt::Key_Return);
  EXPECT_EQ(clients.FieldByName("Office Code")->AsString(), "BO");
  EXPECT_EQ(clients.FieldByName("Client Type 1")->AsString(), "X") << "the second pair's key too";
  next->SetFocus();
  clients.Post();
  clients.Refresh();
  EXPECT_EQ(clients.FieldByName("Office Name")->AsString(), "not an office");
  EXPECT_EQ(c->Text(), "not an office");
}

}  // namespace
}  // namespace editorstest
