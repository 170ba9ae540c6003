#include <gtest/gtest.h>

#include "datagrid/LookupFieldLists.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "framework/db/Field.h"

namespace {

using datagridtest::ExtendedTestDataSet;

class LookupFieldListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ds.FieldDefs().Add("Client", ftString, 7);
    ds.FieldDefs().Add("ClientName", ftString, 30);
    ds.FieldDefs().Add("Attorney", ftString, 30);
    ds.DatabaseName = "QN";
    ds.LookupFields.SetText(
        "ClientName;QN;YClient.qf;Name;;Client;N\r\n"
        "Broken;QN\r\n"
        "Attorney;QNWIN;YEmpl;EmplName;ByInitials\r\n");
    ds.LookupLinks.SetText("Client;Client\r\nX;Y\r\nAtty;Initials\r\n");
    ds.Open();
  }

  ExtendedTestDataSet ds{nullptr};
};

TEST_F(LookupFieldListsTest, LinksAndLookupFieldComeFromTheLineOfTheSameIndex) {
  EXPECT_EQ(GetLookupLinks(&ds, "ClientName"), "Client;Client");
  EXPECT_EQ(GetLookupLinks(&ds, "Attorney"), "Atty;Initials");
  EXPECT_EQ(GetLookupLinks(&ds, "attorney"), "");
  EXPECT_EQ(GetLookupLinks(&ds, "Broken"), "");
  EXPECT_EQ(GetLookupFieldName(&ds, "Attorney"), "EmplName");
  EXPECT_EQ(GetLookupFieldName(&ds, "Client"), "");
  // Without a LookupLinks line at that index the links are empty.
  ds.LookupLinks.Delete(2);
  EXPECT_EQ(GetLookupLinks(&ds, "Attorney"), "");
}

TEST_F(LookupFieldListsTest, TheSpecOfAFieldWithoutALineIsItsDataSetsDatabase) {
  const LookupSpec client = GetLookupSpec(ds.FieldByName("ClientName"));
  EXPECT_EQ(client.DatabaseName, "QN");
  EXPECT_EQ(client.TableName, "YClient");
  EXPECT_EQ(client.Links, "Client;Client");
  EXPECT_EQ(client.LookupField, "Name");
  const LookupSpec attorney = GetLookupSpec(ds.FieldByName("Attorney"));
  EXPECT_EQ(attorney.DatabaseName, "QNWIN");
  EXPECT_EQ(attorney.TableName, "YEmpl");
  const LookupSpec none = GetLookupSpec(ds.FieldByName("Client"));
  EXPECT_EQ(none.DatabaseName, "QN");
  EXPECT_EQ(none.TableName, "");
  EXPECT_EQ(none.Links, "");
}

TEST_F(LookupFieldListsTest, EntriesOfMissingFieldsGoWithTheirLinks) {
  ds.ControlType.SetText("client;Combo;ClientBox\r\nGone;CheckBox;Y;N\r\nAttorney;CustomEdit;Atty\r\n");
  RemoveEntriesOfMissingFields(&ds, &ds.LookupFields, &ds.LookupLinks, &ds.ControlType);
  ASSERT_EQ(ds.LookupFields.Count(), 2);
  EXPECT_EQ(ds.LookupFields[1], "Attorney;QNWIN;YEmpl;EmplName;ByInitials");
  ASSERT_EQ(ds.LookupLinks.Count(), 2);
  EXPECT_EQ(ds.LookupLinks[1], "Atty;Initials");
  ASSERT_EQ(ds.ControlType.Count(), 2);
  EXPECT_EQ(ds.ControlType[0], "client;Combo;ClientBox");
  EXPECT_EQ(ds.ControlType[1], "Attorney;CustomEdit;Atty");
  // A shorter LookupLinks list loses only what it has.
  ds.LookupFields.Add("Gone;QN;T;F;I");
  RemoveEntriesOfMissingFields(&ds, &ds.LookupFields, &ds.LookupLinks, nullptr);
  EXPECT_EQ(ds.LookupFields.Count(), 2);
  EXPECT_EQ(ds.LookupLinks.Count(), 2);
}

}  // namespace
