#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/FieldSchema.h"
#include "framework/base/Exception.h"
#include "framework/base/Locale.h"
#include "framework/base/tests/ScopedSettings.h"
#include "testing/HexText.h"

namespace {

using qn::testing::hexText;

class RecordStructuresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Locale().ShortDateFormat = "dd/mm/yyyy";
    Locale().DateSeparator = '/';
  }
  ScopedLocale locale_;
};

struct Shape {
  const char* code;
  int fieldCount;
  int recordLength;
  int bufferLength;
};

TEST_F(RecordStructuresTest, EverySchemaHasItsRecordAndBufferLength) {
  const std::vector<Shape> shapes = {
      {"CL", 23, 393, 393}, {"FE", 18, 80, 80},   {"HF", 18, 80, 80},   {"CA", 73, 439, 439},
      {"AD", 11, 359, 359}, {"DC", 18, 779, 779}, {"TD", 4, 91, 91},    {"TA", 26, 127, 127},
      {"TI", 25, 127, 127}, {"RD", 33, 261, 261}, {"MC", 16, 75, 75},   {"MT", 13, 61, 71},
      {"MR", 19, 89, 89},   {"DI", 1, 8, 0},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.code);
    auto structure = BuildSchemaStructure(shape.code);
    ASSERT_NE(structure, nullptr);
    EXPECT_EQ(structure->FieldCount, shape.fieldCount);
    EXPECT_EQ(structure->RecordLength, shape.recordLength);
    EXPECT_EQ(static_cast<int>(structure->GetBuffer().size()), shape.bufferLength);
    EXPECT_EQ(structure->Field(0)->Name, shape.code == AnsiString("DI") ? "KeyOnly" : "Auto");
  }
}

TEST_F(RecordStructuresTest, CodesWithoutASchemaOrUnknownCodesBuildNothing) {
  for (const char* code : {"EM", "FS", "CD", "TB", "SO", "BI", "CF", "XX", "cl", ""}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(BuildSchemaStructure(code), nullptr);
  }
}

struct Descriptor {
  const char* code;
  int index;
  const char* name;
  int offset;
  int size;
  const char* className;
  int decimals;
  int control;
};

TEST_F(RecordStructuresTest, DescriptorsSitAtTheirIndexWithTheirShape) {
  const std::vector<Descriptor> descriptors = {
      {"CL", 1, "Code", 5, 7, "TStringFieldInfo", 0, fckTextControl},
      {"CL", 20, "Active", 385, 1, "TStringFieldInfo", 0, fckNone},
      {"CL", 22, "Threshhold", 391, 3, "TPacDecFieldInfo", 0, fckFormattedNumber},
      {"FE", 4, "TrDate", 20, 6, "TDateFieldInfo", 0, fckDateTimePicker},
      {"FE", 12, "ActAmt", 45, 6, "TPacDecFieldInfo", 2, fckFormattedNumber},
      {"CA", 32, "DateClosed", 181, 6, "TDateFieldInfo", 0, fckDateTimePicker},
      {"CA", 33, "CTD", 187, 6, "TPacDecFieldInfo", 2, fckFormattedNumber},
      {"CA", 52, "CTD", 301, 6, "TPacDecFieldInfo", 2, fckFormattedNumber},
      {"CA", 53, "CTDRetPmts", 307, 6, "TPacDecFieldInfo", 2, fckFormattedNumber},
      {"CA", 62, "CTD", 361, 6, "TPacDecFieldInfo", 2, fckFormattedNumber},
      {"CA", 70, "CTD", 407, 5, "TPacDecFieldInfo", 2, fckFormattedNumber},
      {"CA", 72, "RightCaseClient", 426, 14, "TStringFieldInfo", 0, fckTextControl},
      {"DC", 4, "Date", 23, 6, "TDateFieldInfo", 0, fckNone},
      {"DC", 12, "ItemDesc", 58, 492, "TStringFieldInfo", 0, fckNone},
      {"TA", 12, "ActHrs", 42, 4, "TPacDecFieldInfo", 2, fckNone},
      {"RD", 25, "StartBillDate", 228, 6, "TDateFieldInfo", 0, fckNone},
      {"MT", 12, "RangeEnd", 41, 20, "TStringFieldInfo", 0, fckNone},
  };
  for (const Descriptor& d : descriptors) {
    SCOPED_TRACE(std::string(d.code) + " " + std::to_string(d.index));
    auto structure = BuildSchemaStructure(d.code);
    TFieldInfo* field = structure->Field(d.index);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->Name, d.name);
    EXPECT_EQ(field->Offset, d.offset);
    EXPECT_EQ(field->Size, d.size);
    EXPECT_EQ(static_cast<int>(field->Text.size()), d.size);
    EXPECT_EQ(field->ClassName(), d.className);
    EXPECT_EQ(field->ControlKind, d.control);
    if (auto* packed = dynamic_cast<TPacDecFieldInfo*>(field)) {
      EXPECT_EQ(packed->Decimals, d.decimals);
    }
  }
}

TEST_F(RecordStructuresTest, PackedFieldsBuildTheirMaskFromTheFinalDecimals) {
  auto structure = BuildSchemaStructure("FE");
  EXPECT_EQ(static_cast<TPacDecFieldInfo*>(structure->FieldByName("ActAmt"))->DisplayMask, "########0.00");
  EXPECT_EQ(static_cast<TPacDecFieldInfo*>(structure->FieldByName("ActHrs"))->DisplayMask, "####0.00");
  auto clients = BuildSchemaStructure("CL");
  EXPECT_EQ(static_cast<TPacDecFieldInfo*>(clients->FieldByName("Threshhold"))->DisplayMask, "####0");
}

TEST_F(RecordStructuresTest, UnpackReadsEachFieldAtItsOffsetAndPackWritesThemBack) {
  auto fees = BuildSchemaStructure("FE");
  AnsiString& record = fees->GetBuffer();
  record.replace(0, 4, AnsiString("\x07\x00\x00\x00", 4));
  record.replace(4, 7, "SMITH  ");
  record.replace(19, 6, "240315");
  record.replace(44, 6, AnsiString("\x00\x00\x01\x23\x45\x6D", 6));
  fees->UnpackFields();
  EXPECT_EQ(fees->FieldByName("ClientCode")->GetAsString(), "SMITH  ");
  EXPECT_DOUBLE_EQ(fees->FieldByName("ActAmt")->GetAsFloat(), -1234.56);
  EXPECT_EQ(fees->FieldByName("ActAmt")->GetAsInteger(), -123456);
  EXPECT_EQ(fees->FieldByName("TrDate")->GetAsDate(), EncodeDate(2004, 3, 15));

  fees->FieldByName("ClientCode")->SetAsString("JONES");
  fees->FieldByName("BilAmt")->SetAsFloat(12.5);
  fees->FieldByName("EntryDate")->SetAsDate(EncodeDate(2026, 12, 9));
  const AnsiString before = record;
  fees->PackFields();
  EXPECT_EQ(record.substr(0, 4), AnsiString("\x07\x00\x00\x00", 4));
  EXPECT_EQ(record.substr(4, 7), "JONES  ");
  EXPECT_EQ(record.substr(30, 6), "461209");
  EXPECT_EQ(hexText(record.substr(58, 6)), "00 00 00 01 25 0F");
  EXPECT_EQ(record.substr(19, 6), before.substr(19, 6));
  EXPECT_EQ(record.size(), 80u);
}

TEST_F(RecordStructuresTest, PackingWritesBackToBackWhereOffsetsOverlap) {
  // In "MT" MultiRange and RangeStart share position 21: unpack reads both from there, pack
  // writes RangeStart behind MultiRange.
  auto layout = BuildSchemaStructure("MT");
  AnsiString& buffer = layout->GetBuffer();
  for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<char>('A' + i % 26);
  layout->UnpackFields();
  EXPECT_EQ(layout->FieldByName("MultiRange")->Text, AnsiString(1, buffer[20]));
  EXPECT_EQ(layout->FieldByName("RangeStart")->Text, buffer.substr(20, 20));

  layout->FieldByName("MultiRange")->SetAsString("M");
  layout->FieldByName("RangeStart")->SetAsString("START");
  layout->PackFields();
  EXPECT_EQ(buffer.substr(20, 1), "M");
  EXPECT_EQ(buffer.substr(21, 20), "START               ");
  EXPECT_EQ(buffer.size(), 71u);
}

TEST_F(RecordStructuresTest, PackingNeverWritesPastTheBuffer) {
  auto keyOnly = BuildSchemaStructure("DI");
  keyOnly->FieldByName("KeyOnly")->SetAsString("ABCDEFGH");
  keyOnly->PackFields();
  EXPECT_TRUE(keyOnly->GetBuffer().empty());

  auto fees = BuildSchemaStructure("FE");
  fees->SetBufferLength(10);
  fees->FieldByName("ClientCode")->SetAsString("SMITH");
  fees->PackFields();
  EXPECT_EQ(fees->GetBuffer(), AnsiString(4, '\0') + "SMITH ");
}

TEST_F(RecordStructuresTest, UnpackingAShortBufferReadsZerosBeyondItsEnd) {
  auto fees = BuildSchemaStructure("FE");
  fees->SetBufferLength(8);
  fees->GetBuffer().replace(4, 4, "ABCD");
  fees->UnpackFields();
  EXPECT_EQ(fees->FieldByName("ClientCode")->Text, AnsiString("ABCD\0\0\0", 7));
  EXPECT_EQ(fees->FieldByName("Sequence")->Text, AnsiString(8, '\0'));
}

TEST_F(RecordStructuresTest, PackedValuesAtTheEdgesOfTheirFields) {
  TQNFileStructure structure;
  TPacDecFieldInfo* small = NewPackedField(structure, "Small", 0, fckNone, 0, 1, 3);
  TPacDecFieldInfo* large = NewPackedField(structure, "Large", 1, fckNone, 2, 4, 6);
  small->SetAsFloat(12345);
  EXPECT_EQ(hexText(small->Text), "12 34 5F");
  small->SetAsFloat(-12345);
  EXPECT_EQ(hexText(small->Text), "12 34 5D");
  small->Text = AnsiString("\x00\x00\x0C", 3);
  EXPECT_EQ(small->GetAsFloat(), 0.0);
  EXPECT_FALSE(std::signbit(small->GetAsFloat()));

  large->SetAsFloat(999999999.99);
  EXPECT_EQ(hexText(large->Text), "99 99 99 99 99 9F");
  try {
    large->SetAsFloat(1000000000.0);
    FAIL() << "one thousand million was stored";
  } catch (const EAbort& e) {
    EXPECT_EQ(e.Message(), "Value exceeds allowable range.");
  }
  EXPECT_EQ(hexText(large->Text), "99 99 99 99 99 9F");
}

TEST_F(RecordStructuresTest, DateFieldsReadFromNineteenEighty) {
  ScopedClock clock(0, EncodeDate(2026, 12, 9));
  TQNFileStructure structure;
  TDateFieldInfo* date = NewDateField(structure, "Date", 0, fckDateTimePicker, 1, 6);
  date->SetAsString("200115");
  EXPECT_EQ(date->GetAsDate(), EncodeDate(2000, 1, 15));
  EXPECT_EQ(date->GetRawDate(), "200115");
  date->SetAsString("991231");
  EXPECT_EQ(date->GetAsDate(), EncodeDate(2079, 12, 31));
  for (const char* unreadable : {"      ", "2001 5", "201315", "AB0101"}) {
    SCOPED_TRACE(unreadable);
    date->SetAsString(unreadable);
    EXPECT_EQ(date->GetAsDate(), EncodeDate(2026, 12, 9));
  }
}

TEST_F(RecordStructuresTest, DateFieldsKeepTheirTextForDatesTheyCannotHold) {
  TQNFileStructure structure;
  TDateFieldInfo* date = NewDateField(structure, "Date", 0, fckDateTimePicker, 1, 6);
  date->SetAsDate(EncodeDate(2004, 3, 15));
  EXPECT_EQ(date->Text, "240315");
  date->SetAsDate(EncodeDate(1979, 12, 31));
  EXPECT_EQ(date->Text, "240315");
  date->SetAsDate(EncodeDate(2080, 1, 1));
  EXPECT_EQ(date->Text, "240315");
}

struct DisplayCase {
  const char* shortDateFormat;
  char separator;
  const char* stored;
  const char* display;
};

TEST_F(RecordStructuresTest, DateDisplayFollowsTheOrderAndYearWidthOfTheShortDateFormat) {
  const std::vector<DisplayCase> cases = {
      {"dd/mm/yyyy", '/', "240315", "15/03/2004"}, {"dd/mm/yy", '/', "240315", "15/03/04"},
      {"m/d/yyyy", '-', "240315", "03-15-2004"},   {"mm/dd/yy", '/', "190101", "01/01/99"},
      {"yyyy.mm.dd", '.', "200115", "2000.01.15"}, {"ddd", '/', "200115", "15/01/00"},
      {"dd/mm/yy", '/', "      ", "        "},     {"dd/mm/yy", '/', "24AB15", "xx/xx/xx"},
  };
  for (const DisplayCase& c : cases) {
    SCOPED_TRACE(std::string(c.shortDateFormat) + " " + c.stored);
    Locale().ShortDateFormat = c.shortDateFormat;
    Locale().DateSeparator = c.separator;
    TQNFileStructure structure;
    TDateFieldInfo* date = NewDateField(structure, "Date", 0, fckDateTimePicker, 1, 6);
    date->SetAsString(c.stored);
    EXPECT_EQ(date->GetDisplayText(), c.display);
    EXPECT_EQ(date->DisplayText, c.display);
  }
}

TEST_F(RecordStructuresTest, TextFieldsKeepTheirWidth) {
  TQNFileStructure structure;
  TStringFieldInfo* code = NewStringField(structure, "Code", 0, fckTextControl, 1, 7);
  code->SetAsString("AB");
  EXPECT_EQ(code->GetAsString(), "AB     ");
  code->SetAsString("ABCDEFGHIJ");
  EXPECT_EQ(code->GetAsString(), "ABCDEFG");
}

TEST_F(RecordStructuresTest, ConversionsAFieldDoesNotOfferAreRefusedWithTheTypesWord) {
  TQNFileStructure structure;
  TStringFieldInfo* text = NewStringField(structure, "Text", 0, fckNone, 1, 4);
  TPacDecFieldInfo* packed = NewPackedField(structure, "Packed", 1, fckNone, 2, 5, 4);
  TDateFieldInfo* date = NewDateField(structure, "Date", 2, fckNone, 9, 6);
  auto refusal = [](auto set) -> std::string {
    try {
      set();
    } catch (const EAbort& e) {
      return e.Message();
    }
    return "accepted";
  };
  EXPECT_EQ(refusal([&] { text->SetAsFloat(1); }), "float");
  EXPECT_EQ(refusal([&] { text->SetAsDate(EncodeDate(2000, 1, 1)); }), "date");
  EXPECT_EQ(refusal([&] { packed->SetAsString("1"); }), "string");
  EXPECT_EQ(refusal([&] { packed->SetAsDate(EncodeDate(2000, 1, 1)); }), "date");
  EXPECT_EQ(refusal([&] { date->SetAsFloat(1); }), "float");
  text->SetAsString("12.5");
  EXPECT_EQ(text->GetAsFloat(), 0.0);
  EXPECT_EQ(text->GetAsInteger(), 0);
  EXPECT_EQ(packed->GetAsString(), "");
}

TEST_F(RecordStructuresTest, VariantsCarryEachFieldsOwnType) {
  TQNFileStructure structure;
  TStringFieldInfo* text = NewStringField(structure, "Text", 0, fckNone, 1, 4);
  TPacDecFieldInfo* packed = NewPackedField(structure, "Packed", 1, fckNone, 2, 5, 4);
  TDateFieldInfo* date = NewDateField(structure, "Date", 2, fckNone, 9, 6);

  text->SetAsVariant(Variant(AnsiString("AB")));
  EXPECT_EQ(text->GetAsVariant(), Variant(AnsiString("AB  ")));
  packed->SetAsVariant(Variant(AnsiString("-12.345")));
  EXPECT_EQ(packed->GetAsVariant().VarType(), Variant::vkFloat);
  EXPECT_DOUBLE_EQ(packed->GetAsVariant().AsFloat(), -12.35);
  date->SetAsVariant(Variant::FromDateTime(EncodeDate(2001, 2, 3)));
  EXPECT_EQ(date->GetRawDate(), "210203");
  EXPECT_EQ(date->GetAsVariant(), Variant::FromDateTime(EncodeDate(2001, 2, 3)));

  TFieldInfo plain;
  EXPECT_EQ(plain.GetAsVariant(), Variant(AnsiString()));
  try {
    plain.SetAsVariant(Variant(1));
    FAIL() << "a plain descriptor took a variant";
  } catch (const EAbort& e) {
    EXPECT_EQ(e.Message(), "variant");
  }
}

TEST_F(RecordStructuresTest, AddingAFieldAgainAtAnIndexReplacesIt) {
  TQNFileStructure structure;
  NewStringField(structure, "A", 3, fckNone, 1, 10);
  NewStringField(structure, "B", 1, fckNone, 11, 5);
  EXPECT_EQ(structure.FieldCount, 4);
  EXPECT_EQ(structure.RecordLength, 15);
  EXPECT_EQ(structure.Field(0), nullptr);
  NewStringField(structure, "C", 3, fckNone, 1, 2);
  EXPECT_EQ(structure.RecordLength, 7);
  EXPECT_EQ(structure.Field(3)->Name, "C");
  EXPECT_THROW(NewStringField(structure, "D", 256, fckNone, 1, 2), EListError);
}

}  // namespace
