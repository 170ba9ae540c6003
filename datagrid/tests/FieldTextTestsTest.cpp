#include <gtest/gtest.h>

#include <vector>

#include "datagrid/FieldTextTests.h"
#include "framework/base/Locale.h"
#include "framework/base/tests/ScopedSettings.h"
#include "framework/db/Field.h"
#include "framework/db/MemoryDataSet.h"
#include "framework/db/StringField.h"

namespace {

// A United States workstation.
class FieldTextTestsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Locale().ShortDateFormat = "M/d/yyyy";
    Locale().DateSeparator = '/';
    Locale().TimeSeparator = ':';
    Locale().DecimalSeparator = '.';
  }

  ScopedLocale locale_;
};

struct TextCase {
  TFieldType type;
  const char* text;
  bool validText;       // IsValidTextForType and IsValidFieldText
  bool validValueText;  // IsValidFieldValueText
};

TEST_F(FieldTextTestsTest, TextsAreCheckedByFieldType) {
  const TextCase cases[] = {
      {ftSmallint, "12", true, true},        {ftSmallint, "1.5", false, false},   {ftSmallint, "", true, false},
      {ftInteger, "-40", true, true},        {ftInteger, "4x", false, false},     {ftInteger, "", true, false},
      {ftWord, "7", true, true},             {ftAutoInc, "", true, false},        {ftAutoInc, "a", false, false},
      {ftFloat, "3.25", true, true},         {ftFloat, "3,25x", false, false},    {ftFloat, "", true, false},
      {ftCurrency, "10.50", true, true},     {ftCurrency, "", true, false},       {ftBCD, "1.5", true, true},
      {ftBCD, "abc", false, false},          {ftDate, "12/31/2026", true, true},  {ftDate, "31/12/2026", false, false},
      {ftDate, "", true, false},             {ftTime, "10:30", true, true},       {ftTime, "25:00", false, false},
      {ftTime, "", true, false},             {ftDateTime, "12/31/2026 10:30 PM", true, true},
      {ftDateTime, "12/31/2026", true, true}, {ftDateTime, "10:30", false, false}, {ftDateTime, "", true, false},
      {ftString, "", true, true},            {ftString, "anything 12/x", true, true}, {ftBoolean, "maybe", true, true},
      {ftMemo, "", true, true},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " as type " + std::to_string(c.type));
    EXPECT_EQ(IsValidTextForType(c.type, c.text), c.validText);
    MemoryDataSet ds(nullptr);
    ds.FieldDefs().Add("F", c.type, c.type == ftString ? 20 : 0);
    ds.Open();
    EXPECT_EQ(IsValidFieldText(ds.FieldByName("F"), c.text), c.validText);
    EXPECT_EQ(IsValidFieldValueText(ds.FieldByName("F"), c.text), c.validValueText);
  }
  EXPECT_FALSE(IsValidFieldValueText(nullptr, "1"));
  EXPECT_FALSE(IsValidFieldText(nullptr, "1"));
}

TEST_F(FieldTextTestsTest, NumericAndSearchableTypes) {
  for (TFieldType t : {ftSmallint, ftInteger, ftWord, ftFloat, ftCurrency, ftAutoInc})
    EXPECT_TRUE(IsNumericFieldType(t)) << t;
  for (TFieldType t : {ftBCD, ftString, ftDate, ftBoolean, ftBlob}) EXPECT_FALSE(IsNumericFieldType(t)) << t;
  for (TFieldType t : {ftBytes, ftVarBytes, ftBlob, ftGraphic}) EXPECT_FALSE(IsSearchableFieldType(t)) << t;
  for (TFieldType t : {ftString, ftMemo, ftInteger, ftDate, ftFmtMemo}) EXPECT_TRUE(IsSearchableFieldType(t)) << t;
}

TEST_F(FieldTextTestsTest, FieldsOfAMemoryDataSetAreNotTheRecordManagers) {
  MemoryDataSet ds(nullptr);
  ds.FieldDefs().Add("Name", ftString, 10);
  ds.Open();
  EXPECT_TRUE(DataSetHasField(&ds, "NAME"));
  EXPECT_FALSE(DataSetHasField(&ds, "Other"));
  EXPECT_FALSE(DataSetHasField(nullptr, "Name"));
  EXPECT_FALSE(IsCalculatedOrLookupField(ds.FieldByName("Name")));
  EXPECT_TRUE(IsNonBdeField(ds.FieldByName("Name")));
  EXPECT_FALSE(IsNonBdeField(nullptr));
}

TEST_F(FieldTextTestsTest, CalculatedAndLookupFieldsAreTold) {
  MemoryDataSet ds(nullptr);
  for (TFieldKind kind : {fkData, fkCalculated, fkLookup}) {
    auto* field = new TStringField(&ds);
    field->SetFieldName("F" + std::to_string(static_cast<int>(kind)));
    field->SetFieldKind(kind);
    field->SetDataSet(&ds);
    EXPECT_EQ(IsCalculatedOrLookupField(field), kind != fkData) << kind;
  }
  EXPECT_FALSE(IsCalculatedOrLookupField(nullptr));
}

}  // namespace
