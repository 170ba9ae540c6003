// The record-file decimals of the application core and the field converters' decimal type read
// and write the same bytes for the same values, zero included; and stored bytes of every sign and
// every kind of damage mean the same in the core and in a table's field.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "core/PackedDecimal.h"
#include "framework/base/FloatText.h"
#include "framework/db/Field.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "recordmgr/tests/PackedDecimalCases.h"
#include "testing/HexText.h"

namespace {

using qn::testing::hexText;

TEST(PackedDecimalAgreementTest, TheSharedTableReadsAndWritesAlike) {
  for (const packedcases::PackedCase& c : packedcases::agreedCases()) {
    SCOPED_TRACE(std::to_string(c.value) + " in " + std::to_string(c.size) + " bytes");
    EXPECT_EQ(hexText(FloatToPacked(c.value, c.size, c.decimals)), hexText(c.bytes));
    EXPECT_EQ(PackedToFloat(c.bytes, c.decimals), c.value);
  }
}

TEST(PackedDecimalAgreementTest, ZeroHasNoSign) {
  for (const packedcases::PackedCase& c : packedcases::zeroCases()) {
    SCOPED_TRACE(std::to_string(c.value));
    EXPECT_EQ(hexText(FloatToPacked(c.value, c.size, c.decimals)), hexText(c.bytes));
  }
  const double negativeZero = PackedToFloat(packedcases::kNegativeZero, 0);
  EXPECT_EQ(negativeZero, 0.0);
  EXPECT_FALSE(std::signbit(negativeZero));
}

struct StoredAmount {
  std::string bytes;              // the clients' threshold: 3 bytes, no decimals
  std::optional<double> value;  // nothing: damaged
};

// D and B are negative, every other sign positive; a digit above 9 is damage.
std::vector<StoredAmount> storedAmounts() {
  std::vector<StoredAmount> rows = {
      {std::string("\x01\x23\x4F", 3), 1234},   {std::string("\x01\x23\x4D", 3), -1234},
      {std::string("\x01\x23\x4B", 3), -1234},  {std::string("\x01\x23\x4C", 3), 1234},
      {std::string("\x01\x23\x4A", 3), 1234},   {std::string("\x01\x23\x4E", 3), 1234},
      {std::string("\x01\x23\x40", 3), 1234},   {std::string("\xFF\xFF\xFF", 3), std::nullopt},
      {std::string("\x20\x20\x20", 3), 20202},  {std::string("\x00\x00\x0D", 3), 0},
      {std::string("\x00\x00\x0B", 3), 0},      {std::string("\x0A\xBC\xDF", 3), std::nullopt},
  };
  // Each of the six damaged digits, in a high and in a low nibble.
  for (char digit = 0xA; digit <= 0xF; ++digit) {
    rows.push_back({std::string{char(digit << 4), '\x00', '\x1F'}, std::nullopt});
    rows.push_back({std::string{'\x00', char(0x10 | digit), '\x1F'}, std::nullopt});
  }
  return rows;
}

std::string clientCode(size_t row) { return "P" + std::to_string(100 + row); }

class StoredAmounts : public clientstable::ClientsTableTest {};

TEST_F(StoredAmounts, TheSameBytesMeanTheSameAmountInATableFieldAndInTheCore) {
  const std::vector<StoredAmount> rows = storedAmounts();
  std::vector<clientstable::Client> clients;
  for (size_t i = 0; i < rows.size(); ++i) clients.push_back({clientCode(i), "Name", "City"});
  const std::string data = seedDataFolder("YClient.qf", clientsSeed(clients));
  constexpr size_t thresholdOffset = 390;
  for (size_t i = 0; i < rows.size(); ++i) storeClientBytes(data, clientCode(i), thresholdOffset, rows[i].bytes);

  table = makeTable();
  table->SetDatabaseName(data);
  table->SetTableName(clientstable::kClientsTable);
  table->SetIndexName("1");
  table->Open();
  for (size_t i = 0; i < rows.size(); ++i) {
    const StoredAmount& row = rows[i];
    SCOPED_TRACE(hexText(row.bytes));
    ASSERT_TRUE(table->FindKey({AnsiString(clientCode(i))}));
    TField* field = table->FieldByName("Threshhold");
    const std::optional<double> core = PackedToNumber(row.bytes, 0);
    EXPECT_EQ(core, row.value);
    EXPECT_EQ(PackedToFloat(row.bytes, 0), row.value.value_or(0));
    if (row.value.value_or(0) == 0) EXPECT_FALSE(std::signbit(PackedToFloat(row.bytes, 0)));
    EXPECT_EQ(field->IsNull(), !row.value);
    EXPECT_EQ(field->AsFloat(), row.value.value_or(0));
    EXPECT_EQ(field->DisplayText(), row.value ? FloatToStr(*row.value) : AnsiString());
    // The two columns agree whatever the expected values say.
    EXPECT_EQ(field->IsNull(), !core.has_value());
    EXPECT_EQ(field->AsFloat(), PackedToFloat(row.bytes, 0));
  }
}

}  // namespace
