#include <gtest/gtest.h>

#include <cstring>

#include "recordmgr/EngineError.h"
#include "recordmgr/KorvoCollection.h"
#include "recordmgr/SqlStmt.h"

namespace {

uint16_t notSupportedCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const EKorvoEngineError& error) {
    return error.ErrorCode();
  }
  return 0;
}

TEST(SqlStmtTest, TheTextIsKeptInTheOemCharacterSet) {
  TKorvoCollection list;
  auto* statement = new TSqlStmt(nullptr, 3, "SELECT * FROM Caf\xE9", &list);
  EXPECT_EQ(statement->Kind(), 3);
  EXPECT_STREQ(statement->Text(), "SELECT * FROM Caf\x82");
  statement->SetText(nullptr);
  EXPECT_EQ(statement->Text(), nullptr);
  statement->SetText("");
  EXPECT_STREQ(statement->Text(), "");
  EXPECT_EQ(list.Count(), 1);
}

TEST(SqlStmtTest, PropertiesAnswerAsTheStatementDefinesThem) {
  TSqlStmt statement(nullptr, 0, nullptr, nullptr);
  uint8_t buffer[8];
  uint16_t length = 0;

  std::memset(buffer, 0xAA, sizeof buffer);
  statement.GetProperty(1, buffer, length, sizeof buffer);
  EXPECT_EQ(length, 2);
  uint16_t word = 0;
  std::memcpy(&word, buffer, 2);
  EXPECT_EQ(word, 32);

  std::memset(buffer, 0xAA, sizeof buffer);
  statement.GetProperty(4, buffer, length, sizeof buffer);
  EXPECT_EQ(length, 1);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[1], 0xAA);

  statement.SetProperty(16, 0x12345678);
  statement.SetProperty(17, 99);
  statement.GetProperty(16, buffer, length, sizeof buffer);
  EXPECT_EQ(length, 4);
  uint32_t value = 0;
  std::memcpy(&value, buffer, 4);
  EXPECT_EQ(value, 0x12345678u);
  EXPECT_EQ(notSupportedCode([&] { statement.GetProperty(16, buffer, length, 2); }), DBIERR_INVALIDPARAM);

  EXPECT_EQ(notSupportedCode([&] { statement.GetProperty(2, buffer, length, sizeof buffer); }), DBIERR_NOTSUPPORTED);
}

TEST(SqlStmtTest, CheckPropertyRefusesTheRestrictedPropertiesOnlyWithTheFlag) {
  TSqlStmt statement(nullptr, 0, nullptr, nullptr);
  for (uint32_t property : {1u, 2u, 3u, 4u, 19u}) {
    SCOPED_TRACE(property);
    EXPECT_EQ(notSupportedCode([&] { statement.CheckProperty(property, true); }), DBIERR_NOTSUPPORTED);
    EXPECT_EQ(notSupportedCode([&] { statement.CheckProperty(property, false); }), 0);
  }
  EXPECT_EQ(notSupportedCode([&] { statement.CheckProperty(16, true); }), 0);
}

// A driver's statement releases its interface cursor when freed.
TEST(SqlStmtTest, FreeingAStatementReleasesItThroughTheDriver) {
  struct DriverStatement : TSqlStmt {
    DriverStatement(int& releases) : TSqlStmt(nullptr, 0, "X", nullptr), releases(releases) {}
    void Release() override { ++releases; }
    int& releases;
  };
  int releases = 0;
  delete new DriverStatement(releases);
  EXPECT_EQ(releases, 1);
}

}  // namespace
