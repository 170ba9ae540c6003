// Field values: each type's native form, its conversions to and from text, numbers and dates,
// and the refusals.
#include <gtest/gtest.h>

#include <functional>

#include "framework/base/DateTime.h"
#include "framework/db/BinaryFields.h"
#include "framework/db/BlobField.h"
#include "framework/db/BooleanField.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/NumericFields.h"
#include "framework/db/StringField.h"
#include "framework/db/tests/DbTestSupport.h"

using namespace dbtest;

namespace {

// One record of every type, in edit state.
class FieldValues : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& d = ds.FieldDefs();
    d.Add("S", ftString, 8);
    d.Add("FIX", ftFixedChar, 6);
    d.Add("SI", ftSmallint);
    d.Add("I", ftInteger);
    d.Add("W", ftWord);
    d.Add("AI", ftAutoInc);
    d.Add("B", ftBoolean);
    d.Add("F", ftFloat);
    d.Add("C", ftCurrency);
    d.Add("BCD", ftBCD, 2).Precision = 10;
    d.Add("D", ftDate);
    d.Add("T", ftTime);
    d.Add("DT", ftDateTime);
    d.Add("BY", ftBytes, 4);
    d.Add("VB", ftVarBytes, 6);
    d.Add("M", ftMemo);
    ds.Open();
    ds.Append();
  }
  TField* F(const char* name) { return ds.FieldByName(name); }

  MemoryDataSet ds{nullptr};
};

TEST_F(FieldValues, DefaultFieldsHaveTheClassOfTheirType) {
  const std::pair<const char*, const char*> classes[] = {
      {"S", "TStringField"},    {"FIX", "TStringField"},   {"SI", "TSmallintField"},
      {"I", "TIntegerField"},   {"W", "TWordField"},       {"AI", "TAutoIncField"},
      {"B", "TBooleanField"},   {"F", "TFloatField"},      {"C", "TCurrencyField"},
      {"BCD", "TBCDField"},     {"D", "TDateField"},       {"T", "TTimeField"},
      {"DT", "TDateTimeField"}, {"BY", "TBytesField"},     {"VB", "TVarBytesField"},
      {"M", "TMemoField"}};
  for (auto [field, cls] : classes) EXPECT_EQ(F(field)->ClassName(), cls) << field;
  EXPECT_TRUE(F("D")->InheritsFrom("TDateTimeField"));
  EXPECT_EQ(F("FIX")->DataType(), ftFixedChar);
  EXPECT_EQ(F("S")->DataSize(), 9);
  EXPECT_EQ(F("VB")->DataSize(), 8);
  EXPECT_EQ(F("BCD")->DataSize(), 34);
  EXPECT_EQ(F("I")->Alignment(), taRightJustify);
  EXPECT_EQ(F("S")->Alignment(), taLeftJustify);
}

struct TextCase {
  const char* field;
  const char* typed;
  const char* asString;
};

TEST_F(FieldValues, TextRoundTrips) {
  const TextCase cases[] = {
      {"S", "abc", "abc"},
      {"S", "longer than eight", "longer t"},  // cut to the size
      {"FIX", "ab    ", "ab"},
      {"SI", "-32768", "-32768"},
      {"I", " 42", "42"},
      {"W", "65535", "65535"},
      {"B", "t", "True"},
      {"B", "FALSE", "False"},
      {"F", "1.5", "1.5"},
      {"F", "1e3", "1000"},
      {"C", "2.5", "2.50"},
      {"BCD", "12.345", "12.35"},
      {"BCD", "-0.5", "-0.5"},
      {"D", "2/29/2024", "2/29/2024"},
      {"T", "1:02:03 PM", "1:02:03 PM"},
      {"DT", "12/31/1899 6:00:00 AM", "12/31/1899 6:00:00 AM"},
  };
  for (const TextCase& c : cases) {
    F(c.field)->SetText(c.typed);
    EXPECT_EQ(F(c.field)->AsString(), c.asString) << c.field << " <- " << c.typed;
  }
}

TEST_F(FieldValues, BadTextIsRefusedAndLeavesTheValue) {
  struct Bad {
    const char* field;
    const char* good;
    const char* bad;
  };
  const Bad cases[] = {{"I", "1", "12x"},       {"SI", "1", "40000"},
                       {"W", "1", "-1"},        {"F", "1", "1,5"},
                       {"B", "T", "maybe"},     {"D", "1/2/2023", "2/30/2023"},
                       {"T", "1:00", "25:00"}};
  for (auto [field, good, text] : cases) {
    F(field)->SetAsString(good);
    AnsiString before = F(field)->AsString();
    EXPECT_THROW(F(field)->SetAsString(text), Exception) << field << " <- " << text;
    EXPECT_EQ(F(field)->AsString(), before) << field;
  }
}

TEST_F(FieldValues, EmptyTextAndClearMakeNull) {
  for (auto [name, text] : {std::pair{"S", "x"}, {"I", "1"}, {"F", "1"}, {"D", "1/2/2023"},
                             {"B", "T"}}) {
    F(name)->SetAsString(text);
    EXPECT_FALSE(F(name)->IsNull()) << name;
    F(name)->SetAsString("");
    EXPECT_TRUE(F(name)->IsNull()) << name;
    EXPECT_TRUE(F(name)->AsVariant().IsNull()) << name;
    EXPECT_EQ(F(name)->AsString(), "") << name;
  }
  F("I")->SetAsInteger(3);
  F("I")->Clear();
  EXPECT_TRUE(F("I")->IsNull());
  EXPECT_EQ(F("I")->AsInteger(), 0);
}

TEST_F(FieldValues, DatesKeepTheirDayAndTime) {
  // Before 30 December 1899 the day counts back while the fraction still adds the time.
  TDateTime moment = EncodeDate(1850, 7, 4) - 0.75;  // 4 July 1850, 6 p.m.
  F("DT")->SetAsDateTime(moment);
  EXPECT_DOUBLE_EQ(F("DT")->AsDateTime(), moment);
  EXPECT_EQ(F("DT")->AsString(), "7/4/1850 6:00:00 PM");
  F("D")->SetAsDateTime(EncodeDate(2024, 2, 29) + 0.5);
  EXPECT_DOUBLE_EQ(F("D")->AsDateTime(), EncodeDate(2024, 2, 29));
  F("T")->SetAsDateTime(EncodeDate(2024, 2, 29) + EncodeTime(13, 2, 3, 4));
  EXPECT_DOUBLE_EQ(F("T")->AsDateTime(), EncodeTime(13, 2, 3, 4));

  // The native forms: a day number from 1 January 0001, milliseconds of the day.
  int32_t day = 0, ms = 0;
  F("D")->SetAsDateTime(EncodeDate(1, 1, 1));
  ASSERT_TRUE(F("D")->GetData(&day));
  EXPECT_EQ(day, 1);
  F("D")->SetAsDateTime(0);
  F("D")->GetData(&day);
  EXPECT_EQ(day, DateDelta);
  F("T")->SetAsDateTime(EncodeTime(0, 0, 1, 500));
  F("T")->GetData(&ms);
  EXPECT_EQ(ms, 1500);
  double stamp = 0;
  F("DT")->SetAsDateTime(1.5);
  F("DT")->GetData(&stamp);
  EXPECT_DOUBLE_EQ(stamp, (DateDelta + 1) * 86400000.0 + 43200000.0);
}

TEST_F(FieldValues, NumbersAcrossTypes) {
  F("SI")->SetAsFloat(2.6);
  EXPECT_EQ(F("SI")->AsInteger(), 3);
  F("F")->SetAsInteger(7);
  EXPECT_EQ(F("F")->AsString(), "7");
  F("F")->SetAsFloat(2.5);
  EXPECT_EQ(F("F")->AsInteger(), 3);
  F("BCD")->SetAsFloat(1234.5678);
  EXPECT_DOUBLE_EQ(F("BCD")->AsFloat(), 1234.57);
  EXPECT_THROW(F("BCD")->SetAsFloat(123456789.0), EDatabaseError);  // 10 digits, 2 decimals
  F("S")->SetAsInteger(-12);
  EXPECT_EQ(F("S")->AsInteger(), -12);
  F("B")->SetAsBoolean(true);
  EXPECT_EQ(F("B")->AsInteger(), 1);
  EXPECT_TRUE(F("B")->AsVariant().AsBoolean());
}

TEST_F(FieldValues, UnsupportedAccessNamesTheType) {
  try {
    F("D")->AsBoolean();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Cannot access field 'D' as type Boolean");
  }
}

TEST_F(FieldValues, DisplayAndEditTexts) {
  auto* f = static_cast<TFloatField*>(F("F"));
  f->SetAsFloat(1234.5);
  f->SetDisplayFormat("#,##0.00");
  EXPECT_EQ(f->DisplayText(), "1,234.50");
  EXPECT_EQ(f->Text(), "1234.5");
  f->SetEditFormat("0.000");
  EXPECT_EQ(f->Text(), "1234.500");
  auto* c = static_cast<TFloatField*>(F("C"));
  c->SetAsFloat(-3);
  EXPECT_EQ(c->DisplayText(), "($3.00)");
  EXPECT_EQ(c->Text(), "-3.00");
  auto* d = static_cast<TDateTimeField*>(F("D"));
  d->SetAsDateTime(EncodeDate(2024, 3, 5));
  d->SetDisplayFormat("dd mmm yyyy");
  EXPECT_EQ(d->DisplayText(), "05 Mar 2024");
  EXPECT_EQ(d->Text(), "3/5/2024");
  auto* b = static_cast<TBooleanField*>(F("B"));
  b->SetDisplayValues("Yes;No");
  b->SetText("n");
  EXPECT_EQ(b->DisplayText(), "No");
  EXPECT_EQ(F("BY")->DisplayText(), "(Bytes)");
  EXPECT_EQ(F("M")->DisplayText(), "(Memo)");
}

TEST_F(FieldValues, TextEventsReplaceTheConversion) {
  TField* f = F("S");
  f->OnGetText = [](TField* sender, AnsiString& text, bool display) {
    text = (display ? "shown:" : "edited:") + sender->AsString();
  };
  f->OnSetText = [](TField* sender, const AnsiString& text) { sender->SetAsString(text + "!"); };
  f->SetText("hi");
  EXPECT_EQ(f->AsString(), "hi!");
  EXPECT_EQ(f->DisplayText(), "shown:hi!");
  EXPECT_EQ(f->Text(), "edited:hi!");
}

TEST_F(FieldValues, RangeOfAnIntegerField) {
  auto* f = static_cast<TIntegerField*>(F("I"));
  f->SetRange(1, 10);
  f->SetAsInteger(10);
  try {
    f->SetAsInteger(11);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "11 is not a valid value for field 'I'. The allowed range is 1 to 10");
  }
  EXPECT_EQ(f->AsInteger(), 10);
}

TEST_F(FieldValues, BinaryBytes) {
  F("BY")->SetAsString(AnsiString("\x01\x00\x02", 3));
  EXPECT_EQ(F("BY")->AsString(), AnsiString("\x01\x00\x02\x00", 4));
  F("VB")->SetAsString(AnsiString("\x00\x07", 2));
  EXPECT_EQ(F("VB")->AsString(), AnsiString("\x00\x07", 2));
}

TEST_F(FieldValues, ValidCharacters) {
  EXPECT_TRUE(F("I")->IsValidChar('7'));
  EXPECT_TRUE(F("I")->IsValidChar('-'));
  EXPECT_FALSE(F("I")->IsValidChar('.'));
  EXPECT_TRUE(F("F")->IsValidChar('.'));
  EXPECT_TRUE(F("F")->IsValidChar('E'));
  EXPECT_FALSE(F("F")->IsValidChar('x'));
  EXPECT_TRUE(F("S")->IsValidChar('x'));
}

TEST_F(FieldValues, ReadOnlyFieldRefusesWrites) {
  F("S")->SetReadOnly(true);
  try {
    F("S")->SetAsString("x");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field 'S' cannot be modified");
  }
  EXPECT_FALSE(F("S")->CanModify());
}

TEST_F(FieldValues, AutoIncrementNumbersNewRecords) {
  F("I")->SetAsInteger(1);
  ds.Post();
  ds.Append();
  ds.Post();
  EXPECT_EQ(F("AI")->AsInteger(), 2);
}

TEST(FieldList, IndexReordersAndNamesCompareWithoutCase) {
  auto ds = People();
  Fill(*ds, 1);
  TField* amount = ds->FieldByName("amount");
  EXPECT_EQ(amount->Index(), 2);
  LoggingLink link;
  amount->SetIndex(0);
  EXPECT_EQ(ds->Fields()[0], amount);
  EXPECT_EQ(ds->FieldByName("ID")->Index(), 1);
  try {
    ds->FieldByName("NOPE");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field 'NOPE' not found");
  }
  EXPECT_EQ(ds->FindField("NOPE"), nullptr);
  EXPECT_EQ(amount->DisplayLabel(), "AMOUNT");
  amount->SetDisplayLabel("Amount due");
  EXPECT_EQ(amount->DisplayLabel(), "Amount due");
  EXPECT_EQ(amount->DisplayName(), "AMOUNT");
}

}  // namespace
