// The binary layout format: the documented bytes, exact round trips, the layouts compiled into
// the program, and clear refusals of damaged bytes.
#include <gtest/gtest.h>

#include <random>

#include "platform/os/Resources.h"
#include "resources/reader/LayoutResource.h"
#include "tools/Catalogue.h"

namespace {

using namespace qn::catalogue;

std::string word(uint16_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

std::string record(uint16_t number, const std::string& name, std::initializer_list<uint16_t> words) {
  std::string out = word(number) + static_cast<char>(name.size()) + name;
  for (uint16_t w : words) out += word(w);
  return out;
}

TEST(LayoutResourceTest, ClientLayoutBeginsWithTheDocumentedBytes) {
  const auto catalogue = qn::tools::loadCatalogue(QN_CATALOGUE_DIR);
  const CatalogueEntry* clients = catalogue.findFile("YClient.qf");
  ASSERT_NE(clients, nullptr);
  std::string bytes = encodeLayoutResource(clients->layout, layoutResourceFields(clients->layouts()[0]));

  std::string expected = std::string("\x07YCLIENT0002", 12) + '\0' +
                         record(1, "AutoIncrement", {6, 29, 4, 0, 0, 4, 15, 4}) +
                         record(2, "Client Code", {1, 0, 7, 0, 4, 7, 0, 7});
  EXPECT_EQ(bytes.substr(0, expected.size()), expected);
  EXPECT_EQ(bytes.substr(bytes.size() - 5), std::string("ABCD\0", 5));
}

TEST(LayoutResourceTest, EveryKindRoundTrips) {
  LayoutDefinition layout{"KINDS",
                          {{"Number", 0, 4, FieldType::AutoInc, 0},
                           {"Text", 4, 10, FieldType::String, 0},
                           {"Amount", 14, 6, FieldType::Decimal, 2},
                           {"Day", 20, 4, FieldType::Date, 0},
                           {"Order", 24, 2, FieldType::Integer, 0}}};
  auto fields = layoutResourceFields(layout);
  auto decoded = decodeLayoutResource(encodeLayoutResource(layout.name, fields));
  ASSERT_TRUE(decoded.layout) << decoded.error;
  EXPECT_EQ(decoded.layout->name, "KINDS");
  EXPECT_EQ(decoded.layout->version, 2);
  EXPECT_EQ(decoded.layout->fields, fields);
  EXPECT_EQ(fields[2].units2, 2);
  EXPECT_EQ(fields[2].localType, 5);
  EXPECT_EQ(fields[3].localType, 3);
  EXPECT_EQ(fields[4].localType, 1);
}

TEST(LayoutResourceTest, CompiledLayoutsReadBackAsTheCatalogueDescribesThem) {
  const auto catalogue = qn::tools::loadCatalogue(QN_CATALOGUE_DIR);
  int layouts = 0;
  for (const CatalogueEntry& entry : catalogue.entries) {
    for (const LayoutDefinition& layout : entry.layouts()) {
      ++layouts;
      auto bytes = qn::os::findResource(layout.name, kLayoutResourceKind);
      ASSERT_TRUE(bytes) << layout.name;
      auto decoded = decodeLayoutResource(*bytes);
      ASSERT_TRUE(decoded.layout) << layout.name << ": " << decoded.error;
      EXPECT_EQ(decoded.layout->name, layout.name);
      // Number, name, kind, units, offset and sizes, exactly as the catalogue gives them.
      EXPECT_EQ(decoded.layout->fields, layoutResourceFields(layout)) << layout.name;
    }
  }
  EXPECT_EQ(layouts, 20);
}

TEST(LayoutResourceTest, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
  LayoutDefinition layout{"CUT", {{"A", 0, 4, FieldType::AutoInc, 0}, {"B", 4, 3, FieldType::String, 0}}};
  std::string bytes = encodeLayoutResource(layout.name, layoutResourceFields(layout));
  for (size_t n = 0; n < bytes.size(); ++n) {
    // A copy of exactly n bytes: the decoder must stop at its end and say why.
    std::string cut = bytes.substr(0, n);
    auto decoded = decodeLayoutResource(cut);
    EXPECT_FALSE(decoded.layout) << n;
    EXPECT_FALSE(decoded.error.empty()) << n;
  }
}

TEST(LayoutResourceTest, DamagedBytesGiveAnAnswerNotACrash) {
  LayoutDefinition layout{"FUZZ", {{"A", 0, 4, FieldType::AutoInc, 0}, {"Name", 4, 30, FieldType::String, 0},
                                   {"Sum", 34, 6, FieldType::Decimal, 2}}};
  const std::string good = encodeLayoutResource(layout.name, layoutResourceFields(layout));
  std::mt19937 random(20261209);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = good;
    for (int flips = 1 + round % 4; flips > 0; --flips)
      bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
    bytes.resize(random() % (bytes.size() + 1));
    auto decoded = decodeLayoutResource(bytes);
    EXPECT_NE(decoded.layout.has_value(), !decoded.error.empty()) << round;
  }
}

TEST(LayoutResourceTest, VersionsAndNamesAreReadAsTheProgramReadsThem) {
  using enum LayoutDecodeOutcome;
  struct Case {
    const char* what;
    std::string bytes;
    LayoutDecodeOutcome outcome;
    size_t fields;
  } cases[] = {
      {"terminator first", std::string("\x01X0002\0ABCD\0", 12), Read, 0},
      {"first record begins with the terminator",
       std::string("\x01X0002\0ABCD\0", 12) + record(1, "A", {1, 0, 2, 0, 0, 2, 0, 2}), Read, 0},
      {"old format", std::string("\x01X0001\0ABCD\0", 12), OldFormat, 0},
      {"old format without records", std::string("\x01X0001\0", 7), OldFormat, 0},
      {"unknown version", std::string("\x01X0003\0ABCD\0", 12), UnknownVersion, 0},
      {"version not a number", std::string("\x01X00x2\0ABCD\0", 12), VersionNotANumber, 0},
      {"no terminator", std::string("\x01X0002\0ABCD", 11), Damaged, 0},
      {"long field name",
       std::string("\x01X0002\0", 7) + record(1, std::string(40, 'n'), {1, 0, 2, 0, 0, 2, 0, 2}) + std::string("ABCD\0", 5),
       Read, 1},
  };
  for (const Case& c : cases) {
    auto decoded = decodeLayoutResource(c.bytes);
    EXPECT_EQ(decoded.outcome, c.outcome) << c.what << ": " << decoded.error;
    EXPECT_EQ(decoded.layout.has_value(), c.outcome == Read) << c.what << ": " << decoded.error;
    EXPECT_NE(decoded.layout.has_value(), !decoded.error.empty()) << c.what;
    if (decoded.layout) {
      EXPECT_EQ(decoded.layout->fields.size(), c.fields) << c.what;
    }
  }
  auto longName = decodeLayoutResource(cases[7].bytes);
  ASSERT_TRUE(longName.layout);
  EXPECT_EQ(longName.layout->fields[0].name, std::string(kLayoutFieldNameKept, 'n'));
}

TEST(LayoutResourceTest, CompiledLayoutsAreFoundInAnyLetterCase) {
  for (const char* name : {"Glac", "GLAC", "glac", "ycase", "YCase", "Tran2"}) {
    auto bytes = qn::os::findResource(name, kLayoutResourceKind);
    ASSERT_TRUE(bytes) << name;
    EXPECT_EQ(decodeLayoutResource(*bytes).outcome, LayoutDecodeOutcome::Read) << name;
  }
}

TEST(LayoutResourceTest, ValuesThatDoNotFitTheFormatAreRefused) {
  EXPECT_THROW(layoutResourceField({"Big", 70000, 4, FieldType::String, 0}, 1), CatalogueError);
  EXPECT_THROW(layoutResourceField({"F", 0, 4, FieldType::Float, 0}, 1), CatalogueError);
  EXPECT_THROW(encodeLayoutResource(std::string(256, 'L'), {}), CatalogueError);
}

}  // namespace
