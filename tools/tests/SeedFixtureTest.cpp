// The fixture format: blocks of "Field = value" lines, comments, quoted values kept exactly, and
// refusals that name the file and line.
#include <gtest/gtest.h>

#include "tools/qnseed/Fixture.h"
#include "tools/qnseed/SeedError.h"

namespace {

using qn::seed::parseFixture;
using qn::seed::SeedError;

TEST(SeedFixture, BlocksApartByBlankLinesAreRecordsAndCommentsAreSkipped) {
  const auto records = parseFixture(
      "# clients\n"
      "Client Code = ADAMS\r\n"
      "# a comment inside a record\n"
      "City =   Fairhaven  \n"
      "\n"
      "   \n"
      "Client Code = BAKER\n",
      "clients.seed");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].line, 2);
  ASSERT_EQ(records[0].values.size(), 2u);
  EXPECT_EQ(records[0].values[1].field, "City");
  EXPECT_EQ(records[0].values[1].text, "Fairhaven");
  EXPECT_EQ(records[0].values[1].line, 4);
  EXPECT_EQ(records[1].line, 7);
  EXPECT_EQ(records[1].values[0].text, "BAKER");
}

TEST(SeedFixture, QuotedValuesKeepTheirBlanksAndEqualsSigns) {
  const auto records = parseFixture("Case Suffix = \"      1\"\nNote = a = b\nEmpty =\n", "f.seed");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].values[0].text, "      1");
  EXPECT_TRUE(records[0].values[0].quoted);
  EXPECT_EQ(records[0].values[1].text, "a = b");
  EXPECT_FALSE(records[0].values[1].quoted);
  EXPECT_EQ(records[0].values[2].text, "");
}

TEST(SeedFixture, MalformedLinesAreRefusedWithFileAndLine) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"Client Code = A\nno equals sign here\n", "bad.seed:2: expected \"Field = value\""},
      {"\n = value\n", "bad.seed:2: the line names no field"},
      {"Name = \"open\n", "bad.seed:1: field 'Name': the quoted value has no closing quote"},
      {"Name = a\nCity = b\nName = c\n", "bad.seed:3: field 'Name' is given twice in one record (first on line 1)"},
  };
  for (const Case& c : cases) {
    try {
      parseFixture(c.text, "bad.seed");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const SeedError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

}  // namespace
