// The application's table on a clients file made by qnseed: the picture-mask check before a post.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datagrid/tests/ClientsTbTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/db/DatabaseError.h"
#include "recordmgr/tests/ClientsDatasetFixture.h"

namespace {

constexpr const char* kFirstName = datasettest::kFirstName;
constexpr const char* kLastName = "Client Last Name";

class DcTbTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const uint16_t status = LoadBtrieveEngine("", "RECWBTRV.DLL");
    ASSERT_TRUE(status == 0 || status == 1016) << status;
    data = datasettest::seedClients("dc-tb-table", {"ADAMS", "BRIGHT"});
    table.reset(datasettest::newClientsTable(nullptr, data));
    table->PictureMasks()->SetText(std::string(kFirstName) + "\t#[#][#][#][#]\tT\tF\r\n" + kLastName +
                                   "\t#####\tT\tT\r\n");
    table->OnInvalidValue = [this](TDataSet* dataSet, TField* field) {
      EXPECT_EQ(dataSet, table.get());
      invalid.push_back(field->FieldName());
      events.push_back("invalid value");
    };
    table->BeforePost = [this](TDataSet*) { events.push_back("before post"); };
    table->Open();
  }

  void editAdams(const char* firstName, const char* lastName) {
    ASSERT_TRUE(table->FindKey({Variant("ADAMS")}));
    table->Edit();
    table->FieldByName(kFirstName)->SetAsString(firstName);
    table->FieldByName(kLastName)->SetAsString(lastName);
  }

  // The stored names of ADAMS, read by a second table.
  std::string storedAdams() {
    TdcTbTable other(nullptr);
    other.SetDatabaseName(data);
    other.SetTableName(datasettest::kClientsTable);
    other.SetIndexName("1");
    other.Open();
    EXPECT_TRUE(other.FindKey({Variant("ADAMS")}));
    return other.FieldByName(kFirstName)->AsString() + "/" + other.FieldByName(kLastName)->AsString();
  }

  std::string data;
  std::unique_ptr<TdcTbTable> table;
  std::vector<AnsiString> invalid;
  std::vector<std::string> events;
};

TEST_F(DcTbTableTest, WithoutValidateWithMaskAValueAgainstItsMaskPosts) {
  table->SetValidateWithMask(false);
  editAdams("12a", "x");
  table->Post();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_TRUE(invalid.empty());
  EXPECT_EQ(storedAdams(), "12a/x");
}

TEST_F(DcTbTableTest, AFailingFieldRefusesThePostAfterBeforePostAndOnInvalidValue) {
  EXPECT_TRUE(table->ValidateWithMask());
  editAdams("12a", "x");
  try {
    table->Post();
    FAIL() << "posted";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(AnsiString(e.Message()), std::string("Invalid characters. Field : ") + kFirstName);
  }
  // The later field is not examined; the record stays in edit with its values and unstored.
  EXPECT_EQ(invalid, std::vector<AnsiString>{kFirstName});
  EXPECT_EQ(events, (std::vector<std::string>{"before post", "invalid value"}));
  EXPECT_EQ(table->State(), dsEdit);
  EXPECT_EQ(table->FieldByName(kFirstName)->AsString(), "12a");
  EXPECT_EQ(table->FieldByName(kLastName)->AsString(), "x");
  EXPECT_EQ(storedAdams(), "/");
}

TEST_F(DcTbTableTest, AnOptionalDigitMaskPassesEmptyAndTheNextMaskIsCheckedThen) {
  editAdams("", "x");
  EXPECT_THROW(table->Post(), EDatabaseError);
  EXPECT_EQ(invalid, std::vector<AnsiString>{kLastName});
  table->FieldByName(kLastName)->SetAsString("12345");
  table->FieldByName(kFirstName)->SetAsString("123");
  table->Post();
  EXPECT_EQ(table->State(), dsBrowse);
  EXPECT_EQ(storedAdams(), "123/12345");
}

TEST_F(DcTbTableTest, AssigningTheListsCopiesThemAndTheLibraryReadsThemByName) {
  StringList masks;
  masks.SetText("Zip\t#####\tT\tT\r\n");
  table->SetPictureMasks(&masks);
  masks.Clear();
  masks.Add("Other\t#\tT\tT");
  EXPECT_EQ(table->PictureMasks()->Count(), 1);
  EXPECT_EQ(AnsiString(table->PictureMasks()->Strings(0)), "Zip\t#####\tT\tT");
  table->PictureMasks()->Clear();
  EXPECT_EQ(masks.Count(), 1);

  StringList types;
  types.Add("Zip\tCheckBox");
  table->SetControlType(&types);
  types.Clear();
  EXPECT_EQ(table->ControlType()->Count(), 1);

  EXPECT_EQ(GetPictureMaskList(table.get()), table->PictureMasks());
  EXPECT_EQ(GetControlTypeList(table.get()), table->ControlType());
  EXPECT_TRUE(GetValidateWithMask(table.get()));
  table->SetValidateWithMask(false);
  EXPECT_FALSE(GetValidateWithMask(table.get()));
  EXPECT_TRUE(static_cast<bool>(GetOnInvalidValue(table.get())));
  EXPECT_TRUE(IsExtendedDataSet(table.get()));
}

TEST(DcTbTableClass, FormsMakeItByClassName) {
  TComponent form(nullptr);
  TComponent* made = CreateComponentByClassName("TdcTbTable", &form);
  ASSERT_NE(dynamic_cast<TdcTbTable*>(made), nullptr);
  EXPECT_TRUE(made->InheritsFrom("TtbTable"));
  EXPECT_TRUE(static_cast<TdcTbTable*>(made)->ValidateWithMask());
  EXPECT_EQ(static_cast<TdcTbTable*>(made)->PictureMasks()->Count(), 0);
}

}  // namespace
