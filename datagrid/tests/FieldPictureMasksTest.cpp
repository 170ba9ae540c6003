#include <gtest/gtest.h>

#include <vector>

#include "datagrid/FieldPictureMasks.h"
#include "datagrid/tests/ExtendedTestDataSet.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"

namespace {

using datagridtest::ExtendedTestDataSet;

TEST(FieldPictureMasks, AFieldWithoutALineHasNoMaskAndBothFlagsTrue) {
  ExtendedTestDataSet ds(nullptr);
  ds.PictureMasks.SetText("Threshhold\t#[#][#][#][#]\tT\tF\r\nZip\t#\r\nBroken\r\n");
  const FieldPictureMask none = GetFieldPictureMask(&ds, "Missing");
  EXPECT_EQ(none.Mask, "");
  EXPECT_TRUE(none.AutoFill);
  EXPECT_TRUE(none.UseInGrid);
  const FieldPictureMask bare = GetFieldPictureMask(&ds, "zip");
  EXPECT_EQ(bare.Mask, "#");
  EXPECT_FALSE(bare.AutoFill);
  EXPECT_FALSE(bare.UseInGrid);
  const FieldPictureMask threshold = GetFieldPictureMask(&ds, "THRESHHOLD");
  EXPECT_EQ(threshold.Mask, "#[#][#][#][#]");
  EXPECT_TRUE(threshold.AutoFill);
  EXPECT_FALSE(threshold.UseInGrid);
  const FieldPictureMask broken = GetFieldPictureMask(&ds, "Broken");
  EXPECT_EQ(broken.Mask, "");
  EXPECT_TRUE(broken.AutoFill);
}

TEST(FieldPictureMasks, SettingKeepsEveryPartWhoseReplaceFlagIsOff) {
  struct Case {
    bool setUseInGrid, setAutoFill, setMask;
    const char* expected;
  };
  const Case cases[] = {
      {false, false, false, "Zip\t#####\tT\tF"},
      {false, false, true, "Zip\t###\tT\tF"},
      {false, true, false, "Zip\t#####\tF\tF"},
      {true, false, false, "Zip\t#####\tT\tT"},
      {true, true, true, "Zip\t###\tF\tT"},
  };
  for (const Case& c : cases) {
    ExtendedTestDataSet ds(nullptr);
    ds.PictureMasks.SetText("zip\t#####\tT\tF\r\nCity\t*@\tT\tT\r\n");
    SetFieldPictureMask(&ds, "Zip", "###", c.setUseInGrid, c.setAutoFill, c.setMask, true, false);
    ASSERT_EQ(ds.PictureMasks.Count(), 2);
    EXPECT_EQ(ds.PictureMasks[0], c.expected);
    EXPECT_EQ(ds.PictureMasks[1], "City\t*@\tT\tT");
  }
}

TEST(FieldPictureMasks, AnEmptyMaskDeletesTheLineAndANewMaskAppendsOne) {
  ExtendedTestDataSet ds(nullptr);
  ds.PictureMasks.SetText("Zip\t#####\tT\tF\r\nCity\t*@\tT\tT\r\n");
  SetFieldPictureMask(&ds, "ZIP", "", false, false, true, false, false);
  ASSERT_EQ(ds.PictureMasks.Count(), 1);
  EXPECT_EQ(ds.PictureMasks[0], "City\t*@\tT\tT");
  SetFieldPictureMask(&ds, "State", "", true, true, true, true, true);
  EXPECT_EQ(ds.PictureMasks.Count(), 1);
  SetFieldPictureMask(&ds, "State", "@@", true, true, true, false, true);
  ASSERT_EQ(ds.PictureMasks.Count(), 2);
  EXPECT_EQ(ds.PictureMasks[1], "State\t@@\tT\tF");
  // Without a line, a part not replaced keeps what a field without a line has.
  SetFieldPictureMask(&ds, "Phone", "###-####", false, false, true, false, false);
  EXPECT_EQ(ds.PictureMasks[2], "Phone\t###-####\tT\tT");
}

TEST(FieldPictureMasks, ATextIsCompleteWhenEmptyOrWhenItFillsTheMask) {
  struct Case {
    const char* mask;
    const char* text;
    bool complete;
  };
  const Case cases[] = {
      {"#[#][#][#][#]", "", true},     {"#[#][#][#][#]", "12", true},   {"#[#][#][#][#]", "12a", false},
      {"###-####", "555-1234", true},  {"###-####", "555", false},      {"{ ,C,D,F,N,R}", "C", true},
      {"{ ,C,D,F,N,R}", "X", false},   {"*#[.[#][#]]", "12.50", true},  {"[#", "1", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsTextCompleteForMask(c.mask, c.text), c.complete) << c.mask << " / " << c.text;
}

class PictureValidationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ds.FieldDefs().Add("Code", ftString, 10);
    ds.FieldDefs().Add("Threshhold", ftString, 10);
    ds.FieldDefs().Add("Zip", ftString, 10);
    ds.PictureMasks.SetText("Threshhold\t#[#][#][#][#]\tT\tF\r\nZip\t#####\tT\tT\r\n");
    ds.OnInvalidValue = [this](TDataSet* dataSet, TField* field) {
      EXPECT_EQ(dataSet, &ds);
      invalid.push_back(field->FieldName());
    };
    // The check runs where a table with ValidateWithMask runs it: after the before-post handler.
    ds.BeforePost = [this](TDataSet* dataSet) {
      events.push_back("before post");
      if (GetValidateWithMask(dataSet)) ValidatePictureMasks(dataSet, GetOnInvalidValue(dataSet));
    };
    ds.Open();
    ds.Append();
  }

  void fill(const char* threshold, const char* zip) {
    ds.FieldByName("Code")->SetAsString("A1");
    ds.FieldByName("Threshhold")->SetAsString(threshold);
    ds.FieldByName("Zip")->SetAsString(zip);
  }

  ExtendedTestDataSet ds{nullptr};
  std::vector<AnsiString> invalid;
  std::vector<AnsiString> events;
};

TEST_F(PictureValidationTest, WithoutValidateWithMaskAValueAgainstItsMaskPosts) {
  ds.ValidateWithMask = false;
  fill("12a", "x");
  ds.Post();
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_TRUE(invalid.empty());
  EXPECT_EQ(ds.RecordCount(), 1);
}

TEST_F(PictureValidationTest, TheFirstFailingFieldRefusesThePostAfterOnInvalidValue) {
  ds.ValidateWithMask = true;
  fill("12a", "x");
  try {
    ds.Post();
    FAIL() << "posted";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(AnsiString(e.Message()), "Invalid characters. Field : Threshhold");
  }
  // Later fields are not examined, and the record stays in insert state with its values.
  EXPECT_EQ(invalid, std::vector<AnsiString>{"Threshhold"});
  EXPECT_EQ(ds.State(), dsInsert);
  EXPECT_EQ(ds.FieldByName("Threshhold")->AsString(), "12a");
  EXPECT_EQ(ds.FieldByName("Zip")->AsString(), "x");
  EXPECT_EQ(ds.RecordCount(), 0);

  ds.FieldByName("Threshhold")->SetAsString("");
  EXPECT_THROW(ds.Post(), EDatabaseError);
  EXPECT_EQ(invalid, (std::vector<AnsiString>{"Threshhold", "Zip"}));
  ds.FieldByName("Zip")->SetAsString("12345");
  ds.Post();
  EXPECT_EQ(ds.State(), dsBrowse);
  EXPECT_EQ(ds.RecordCount(), 1);
}

TEST_F(PictureValidationTest, ReadOnlyFieldsAndFieldsWithoutAMaskAreNotChecked) {
  ds.ValidateWithMask = true;
  fill("1234", "x");
  ds.FieldByName("Zip")->SetReadOnly(true);
  ds.Post();
  EXPECT_TRUE(invalid.empty());
  EXPECT_EQ(ds.FieldByName("Threshhold")->AsString(), "1234");
}

}  // namespace
