// The dataset core over an engine whose tables are in-memory tables of descriptors a test
// chooses: the field definitions they make, and a table that wants a password first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "framework/db/Field.h"
#include "framework/ui/LoginDialogs.h"
#include "recordmgr/DatabaseEngineError.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/tests/TestBinding.h"
#include "recordmgr/tests/TestDataset.h"
#include "recordmgr/tests/TestSession.h"
#include "testing/TestDirs.h"

namespace {

// The engine's tables. A non-empty password must be among the passwords of the session: the test
// hands the engine the session component's list, as this engine has no call to take them.
std::vector<FieldDescriptor> tableFields;
std::string tablePassword;
const std::vector<AnsiString>* sessionPasswords = nullptr;
int opens = 0;

class DescribedDatabase : public TBaseDatabase {
 public:
  DescribedDatabase(TBapiListItem* session, const DatabaseDescription& description, TKorvoCollection* list)
      : TBaseDatabase(session, nullptr, nullptr, 0, description.Name, 0, 0, &description, list) {}

  void OpenTable(const char* tableName, const char*, const char*, const char*, uint16_t, uint32_t, uint32_t, uint32_t,
                 bool, const char*, TBaseTable*& cursor) override {
    ++opens;
    if (!tablePassword.empty() &&
        std::find(sessionPasswords->begin(), sessionPasswords->end(), tablePassword) == sessionPasswords->end())
      RaiseEngineError(TttDBDataset::NotSufficientTableRights);
    CreateInMemTable(tableName, static_cast<uint16_t>(tableFields.size()), cursor, tableFields.data());
  }
  void OpenTableList(bool, bool, TBaseTable*&, const char*) override { RaiseEngineError(DBIERR_NA); }
  void OpenFieldList(const char*, const char*, bool, TBaseTable*&) override { RaiseEngineError(DBIERR_NA); }
};

class DescribedSession : public sessiontest::TestSession {
 public:
  using TestSession::TestSession;
  void CreateDatabase(const DatabaseDescription& description, const char*, uint32_t, uint32_t, const char*, uint16_t,
                      const FieldDescriptor*, const void*, TBaseDatabase*& database) override {
    database = new DescribedDatabase(this, description, Databases());
  }
};

FieldDescriptor descriptor(uint16_t number, const char* name, uint16_t type, uint16_t length, int16_t units1 = 0) {
  FieldDescriptor d{};
  d.FieldNumber = number;
  std::strncpy(d.FieldName, name, FieldDescriptor::NameSize - 1);
  d.FieldType = type;
  d.FieldLength = length;
  d.FieldUnits1 = units1;
  return d;
}

class DatasetDescriptorsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = qn::testing::makeScratchDir("dataset-descriptors");
    sessions.engineClass = &CreateSession<DescribedSession>;
    standard = new bindingtest::TestSessionComponent(nullptr, sessions);
    standard->SetSessionName("Btrieve");
    tableFields = {descriptor(1, "NAME", LogicalFieldType::Text, 11, 10),
                   descriptor(2, "NAME", LogicalFieldType::Text, 11, 10),
                   descriptor(3, "SMALL", LogicalFieldType::Int16, 1),
                   descriptor(4, "ODD", LogicalFieldType::Int16, 3),
                   descriptor(5, "AMOUNT", LogicalFieldType::Int32, 4)};
    tablePassword.clear();
    sessionPasswords = &standard->Passwords();
    opens = 0;
    dataset = std::make_unique<bindingtest::TestTableDataset>(nullptr, sessions);
    dataset->SetDatabaseName(folder);
    dataset->SetTableName("PEOPLE");
  }
  void TearDown() override {
    dataset.reset();
    qn::ui::setPasswordPresenter({});
  }

  std::string folder;
  bindingtest::TestSessionList sessions;
  bindingtest::TestSessionComponent* standard = nullptr;
  std::unique_ptr<bindingtest::TestTableDataset> dataset;
};

TEST_F(DatasetDescriptorsTest, EveryDescriptorGivesADefinitionUnderAUniqueName) {
  const uint32_t readOnlyRights = 1;
  const uint16_t calculated = 1;
  std::memcpy(tableFields[4].Carried + 4, &readOnlyRights, sizeof readOnlyRights);
  std::memcpy(tableFields[2].Carried + 8, &calculated, sizeof calculated);
  dataset->Open();
  TFieldDefs& defs = dataset->FieldDefs();
  ASSERT_EQ(defs.Count(), 5);
  const struct {
    const char* name;
    TFieldType type;
    int fieldNo;
  } expected[] = {{"NAME", ftString, 1}, {"NAME_1", ftString, 2}, {"SMALL", ftSmallint, 3},
                  {"ODD", ftUnknown, 4}, {"AMOUNT", ftInteger, 5}};
  for (int i = 0; i < defs.Count(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(defs.Items(i).Name, expected[i].name);
    EXPECT_EQ(defs.Items(i).DataType, expected[i].type);
    EXPECT_EQ(defs.Items(i).FieldNo, expected[i].fieldNo);
  }
  EXPECT_EQ(defs.Items(0).Size, 10);
  EXPECT_FALSE(defs.Items(0).Attributes & faReadonly);
  EXPECT_TRUE(defs.Items(4).Attributes & faReadonly);  // rights 1
  EXPECT_TRUE(dataset->FieldByName("AMOUNT")->ReadOnly());
  EXPECT_TRUE(defs.Items(2).InternalCalcField);
  EXPECT_EQ(dataset->FieldByName("SMALL")->FieldKind(), fkInternalCalc);
  EXPECT_FALSE(defs.Items(0).InternalCalcField);
  // A definition of an unknown type makes no field; the others do.
  EXPECT_EQ(dataset->FieldCount(), 4);
  EXPECT_EQ(dataset->FindField("ODD"), nullptr);
  EXPECT_EQ(dataset->FieldByName("NAME_1")->FieldNo(), 2);
}

TEST_F(DatasetDescriptorsTest, ValuesWrittenToEachFieldComeBackFromIt) {
  dataset->Open();
  dataset->Append();
  dataset->FieldByName("NAME")->SetAsString("first");
  dataset->FieldByName("NAME_1")->SetAsString("second");
  dataset->FieldByName("AMOUNT")->SetAsInteger(-70000);
  dataset->FieldByName("SMALL")->SetAsInteger(5);
  dataset->Post();
  dataset->First();
  EXPECT_EQ(dataset->FieldByName("NAME")->AsString(), "first");
  EXPECT_EQ(dataset->FieldByName("NAME_1")->AsString(), "second");
  EXPECT_EQ(dataset->FieldByName("AMOUNT")->AsInteger(), -70000);
  EXPECT_EQ(dataset->FieldByName("SMALL")->AsInteger(), 5);
}

TEST_F(DatasetDescriptorsTest, ATableWantingMoreRightsAsksForAPasswordAndTriesAgainWithIt) {
  tablePassword = "secret";
  std::vector<AnsiString> asked;
  qn::ui::setPasswordPresenter([&](const AnsiString& name) -> std::optional<AnsiString> {
    asked.push_back(name);
    return asked.size() == 1 ? AnsiString("wrong") : AnsiString("secret");
  });
  dataset->Open();
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(standard->Passwords(), (std::vector<AnsiString>{"wrong", "secret"}));
  EXPECT_EQ(opens, 3);
}

TEST_F(DatasetDescriptorsTest, CancellingThePasswordRaisesTheRightsError) {
  tablePassword = "secret";
  int asked = 0;
  qn::ui::setPasswordPresenter([&](const AnsiString&) -> std::optional<AnsiString> {
    ++asked;
    return std::nullopt;
  });
  try {
    dataset->Open();
    FAIL() << "a table wanting a password opened without one";
  } catch (const ETDBEngineError& error) {
    ASSERT_GT(error.ErrorCount(), 0);
    EXPECT_EQ(error.Errors(0).ErrorCode, TttDBDataset::NotSufficientTableRights);
  }
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(dataset->Active());
  EXPECT_TRUE(standard->Passwords().empty());
}

TEST_F(DatasetDescriptorsTest, OnPasswordDecidesInsteadOfTheDialog) {
  tablePassword = "secret";
  qn::ui::setPasswordPresenter([](const AnsiString&) -> std::optional<AnsiString> {
    ADD_FAILURE() << "the dialog was shown although OnPassword is assigned";
    return std::nullopt;
  });
  int calls = 0;
  standard->OnPassword = [&](TObject* sender, bool& again) {
    EXPECT_EQ(sender, standard);
    ++calls;
    standard->AddPassword("secret");
    again = true;
  };
  dataset->Open();
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(dataset->Active());
}

}  // namespace
