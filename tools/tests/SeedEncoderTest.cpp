// Fixture values become record bytes the way the program stores them, and a value that does not
// fit its field is refused naming file, line and field.
#include <gtest/gtest.h>

#include "core/FileDates.h"
#include "core/PackedDecimal.h"
#include "framework/base/DateTime.h"
#include "tools/Catalogue.h"
#include "tools/qnseed/Fixture.h"
#include "tools/qnseed/RecordEncoder.h"
#include "tools/qnseed/SeedError.h"

namespace {

using qn::seed::parseFixture;
using qn::seed::RecordEncoder;
using qn::seed::SeedError;

class SeedEncoder : public ::testing::Test {
 protected:
  std::string encode(const std::string& fileName, const std::string& text) {
    const auto* entry = catalogue_.findFile(fileName);
    EXPECT_NE(entry, nullptr) << fileName;
    const auto records = parseFixture(text, "test.seed");
    EXPECT_EQ(records.size(), 1u);
    return RecordEncoder(*entry, catalogue_.structures).encode(records.at(0), "test.seed");
  }
  std::string refusal(const std::string& fileName, const std::string& text) {
    try {
      encode(fileName, text);
    } catch (const SeedError& e) {
      return e.what();
    }
    return "accepted";
  }

  qn::tools::Catalogue catalogue_ = qn::tools::loadCatalogue(QN_CATALOGUE_DIR);
};

TEST_F(SeedEncoder, MatterFieldsAreStoredAsTheProgramStoresThem) {
  const std::string record = encode("YCase.qf",
                                    "Client Code = ADAMS\n"
                                    "Case Suffix = \"      1\"\n"
                                    "Description Line 1 = Caf\xC3\xA9 lease\n"
                                    "Date Opened = 2004-03-15\n"
                                    "Fee Budget $ = 999999999.99\n"
                                    "Cost Budget $ = -12.5\n"
                                    "Threshhold = 12345\n");
  ASSERT_EQ(record.size(), 439u);
  EXPECT_EQ(record.substr(0, 4), std::string(4, '\0'));  // the record manager numbers it
  EXPECT_EQ(record.substr(4, 14), "ADAMS        1");
  EXPECT_EQ(record.substr(41, 50), "Caf\xE9 lease" + std::string(40, ' '));  // Windows-1252
  EXPECT_EQ(record.substr(162, 6), "240315");
  EXPECT_EQ(FileDateToDate(record.substr(162, 6), true), EncodeDate(2004, 3, 15));
  EXPECT_EQ(record.substr(143, 3), "\x12\x34\x5F");
  EXPECT_DOUBLE_EQ(PackedToFloat(record.substr(146, 6), 2), 999999999.99);
  EXPECT_DOUBLE_EQ(PackedToFloat(record.substr(152, 6), 2), -12.5);
  // Left out: a date is blank, an amount zero.
  EXPECT_EQ(record.substr(180, 6), std::string(6, ' '));
  EXPECT_EQ(record.substr(186, 6), std::string("\x00\x00\x00\x00\x00\x0F", 6));
}

TEST_F(SeedEncoder, DatesRelativeToTodayAndStoredAsWritten) {
  const std::string record = encode("Cal.qf", "Date = today+2\nLastEntry = \" 3    \"\nTime = 0930\n");
  AnsiString expected;
  DateToFileDate(true, expected, Date() + 2);
  EXPECT_EQ(record.substr(22, 6), expected);
  EXPECT_EQ(record.substr(28, 4), "0930");
  EXPECT_EQ(record.substr(51, 6), " 3    ");
}

TEST_F(SeedEncoder, NumbersAreLittleEndianIntegers) {
  const std::string record = encode("Print01.QC", "ReportNum = 63\nDisplayNum = -2\n");
  EXPECT_EQ(record.substr(4, 2), "63");
  EXPECT_EQ(record.substr(6, 2), std::string("\xFE\xFF", 2));
}

TEST_F(SeedEncoder, ValuesThatDoNotFitAreRefusedNamingFileLineAndField) {
  struct Case {
    const char* file;
    const char* text;
    const char* message;
  } cases[] = {
      {"YCase.qf", "Client Code = A\nDate Opened = 2024-02-30\n",
       "test.seed:2: field 'Date Opened': \"2024-02-30\" is not a date of the calendar"},
      {"YCase.qf", "Date Closed = 15/03/2004\n",
       "test.seed:1: field 'Date Closed': \"15/03/2004\" is not a date (YYYY-MM-DD, today, today+N or today-N)"},
      {"YCase.qf", "Date Opened = 1979-12-31\n",
       "test.seed:1: field 'Date Opened': \"1979-12-31\" has no record-file date (the years 1980 to 2079 have one)"},
      {"YCase.qf", "Date Opened = \"2401\"\n",
       "test.seed:1: field 'Date Opened': a date written as stored (in quotes) is 6 characters; \"2401\" is not"},
      {"YCase.qf", "Client Code = ABCDEFGH\n",
       "test.seed:1: field 'Client Code': \"ABCDEFGH\" is 8 characters long; the field holds 7"},
      {"YCase.qf", "\n\nFee Budget $ = 1000000000\n",
       "test.seed:3: field 'Fee Budget $': \"1000000000\" does not fit the field (6 bytes, 2 decimals): Value exceeds allowable range."},
      {"YCase.qf", "Fee Budget $ = 1.005\n", "test.seed:1: field 'Fee Budget $': \"1.005\" has more decimals than the field's 2"},
      {"YCase.qf", "Fee Budget $ = 12,50\n", "test.seed:1: field 'Fee Budget $': \"12,50\" is not an amount"},
      {"YCase.qf", "Client Code = A\nClient Name = Adams\n",
       "test.seed:2: field 'Client Name': no such field in the layout of YCase.qf"},
      {"Print01.QC", "DisplayNum = 40000\n", "test.seed:1: field 'DisplayNum': \"40000\" does not fit the field's 2 bytes"},
      {"Print01.QC", "DisplayNum = +-2\n", "test.seed:1: field 'DisplayNum': \"+-2\" is not a whole number"},
      {"Cal.qf", "Date = today+-3\n",
       "test.seed:1: field 'Date': \"today+-3\" is not a date (YYYY-MM-DD, today, today+N or today-N)"},
      {"YCase.qf", "Client Code = A\xE2\x86\x92Z\n",
       "test.seed:1: field 'Client Code': \"A\xE2\x86\x92Z\" holds a character that is not UTF-8 or that Windows-1252 does not have"},
      {"YCase.qf", "Description Line 1 = Caf\xE9\n",
       "test.seed:1: field 'Description Line 1': \"Caf\xE9\" holds a character that is not UTF-8 or that Windows-1252 does not have"},
      {"Cal.qf", "Date = \"46\xE2\x86\x92" "210\"\n",
       "test.seed:1: field 'Date': \"46\xE2\x86\x92" "210\" holds a character that is not UTF-8 or that Windows-1252 does not have"},
  };
  for (const Case& c : cases) EXPECT_EQ(refusal(c.file, c.text), c.message) << c.text;
}

TEST(SeedEncoderWidths, UnsignedFieldsTakeExactlyTheValuesTheirBytesHold) {
  qn::catalogue::CatalogueEntry entry;
  entry.source = "widths.json";
  entry.recordLength = 7;
  using qn::catalogue::FieldType;
  entry.fields = {{"Byte", 0, 1, FieldType::Unsigned, 0}, {"Word", 1, 2, FieldType::Unsigned, 0},
                  {"Long", 3, 4, FieldType::Unsigned, 0}};
  const std::vector<qn::catalogue::StructureCode> structures;
  const RecordEncoder encoder(entry, structures);
  struct Case {
    const char* text;
    bool fits;
  } cases[] = {
      {"Byte = 255\n", true},        {"Byte = 256\n", false},        {"Byte = -1\n", false},
      {"Word = 65535\n", true},      {"Word = 65536\n", false},      {"Long = 4294967295\n", true},
      {"Long = 4294967296\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto records = parseFixture(c.text, "widths.seed");
    ASSERT_EQ(records.size(), 1u);
    if (c.fits) {
      const std::string bytes = encoder.encode(records[0], "widths.seed");
      EXPECT_EQ(bytes.find_first_not_of(std::string("\0\xFF", 2)), std::string::npos) << "all ones where written";
      EXPECT_NE(bytes.find('\xFF'), std::string::npos);
    } else {
      EXPECT_THROW(encoder.encode(records[0], "widths.seed"), SeedError);
    }
  }
}

}  // namespace
