// The client tables' calculated name and the text handlers of Client1_.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/tests/DataModuleFixture.h"
#include "framework/db/Field.h"

namespace {

using core_test::DataModuleFixture;

class ClientTables : public DataModuleFixture {
 protected:
  void SetUp() override {
    DataModuleFixture::SetUp();
    for (TdcTbTable* t : {dm->Client1_, dm->Client2_}) {
      t->SetTableName(DataDir + "\\yclient.qf;RES:YCLIENT");
      t->SetIndexName("1");
      t->Open();
    }
  }
  TField* field(const char* name) { return dm->Client1_->FieldByName(name); }
};

TEST_F(ClientTables, BothClientTablesShowLastCommaFirst) {
  for (TdcTbTable* t : {dm->Client1_, dm->Client2_}) {
    ASSERT_TRUE(t->FindKey({Variant("ADAMS")}));
    EXPECT_EQ(t->FieldByName("LastCommaFirst")->AsString(), "Adams, Walter");
    ASSERT_TRUE(t->FindKey({Variant("BRIGHT")}));
    EXPECT_EQ(t->FieldByName("LastCommaFirst")->AsString(), "Bright");
  }
  std::vector<AnsiString> names;
  dm->Client2_->GetFieldNames(names);
  EXPECT_EQ(names, (std::vector<AnsiString>{"LastCommaFirst", "City", "Client Code", "Client First Name",
                                            "Client Last Name", "Unassigned"}));
}

TEST_F(ClientTables, SalesTaxShowsZeroWhenBlank) {
  ASSERT_TRUE(dm->Client1_->FindKey({Variant("ADAMS")}));
  EXPECT_EQ(field("Sales Tax")->DisplayText(), "0");
  ASSERT_TRUE(dm->Client1_->FindKey({Variant("BRIGHT")}));
  EXPECT_EQ(field("Sales Tax")->DisplayText(), "Y");
}

TEST_F(ClientTables, TypingIntoSalesTaxOrUnassignedKeepsTheirValues) {
  ASSERT_TRUE(dm->Client1_->FindKey({Variant("BRIGHT")}));
  dm->Client1_->Edit();
  field("Sales Tax")->SetText("N");
  field("Unassigned")->SetText("Y");
  field("City")->SetText("Boston");
  EXPECT_EQ(field("Sales Tax")->AsString(), "Y");
  EXPECT_EQ(field("Unassigned")->AsString(), "N");
  EXPECT_EQ(field("City")->AsString(), "Boston");
  // The program itself still sets them.
  field("Sales Tax")->SetAsString("N");
  EXPECT_EQ(field("Sales Tax")->AsString(), "N");
  dm->Client1_->Cancel();
}

}  // namespace
