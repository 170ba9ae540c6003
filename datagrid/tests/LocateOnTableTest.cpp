// Locating records of a record file through the framework's table, reading record by record:
// first and next matches, the last match, and a field the table lacks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datagrid/LocateRecord.h"
#include "datagrid/tests/SeededTableFixture.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using clientstable::kCode;
using clientstable::kLastName;
using qn::ui::testing::ScriptedMessageBoxes;

class LocateOnTableTest : public clientstable::ClientsTableTest {
 protected:
  TTable& open() {
    return openClients({{"ADAMS", "Adams", "Paris"},
                        {"BRIGHT", "Bright", "Rome"},
                        {"JONES", "Smithers", "Oslo"},
                        {"KING", "Kingsmith", "Rome"},
                        {"SMITH", "Smith", "Paris"}});
  }
  std::string code() { return table->FieldByName(kCode)->AsString(); }
};

TEST_F(LocateOnTableTest, FirstAndNextFindTheMatchesInTableOrderAndTheLastStays) {
  TTable& clients = open();
  ASSERT_TRUE(LocateRecord(true, &clients, kLastName, false, mtPartialMatchStart, "smi"));
  EXPECT_EQ(code(), "JONES");
  ASSERT_TRUE(LocateRecord(false, &clients, kLastName, false, mtPartialMatchStart, "smi"));
  EXPECT_EQ(code(), "SMITH");
  EXPECT_FALSE(LocateRecord(false, &clients, kLastName, false, mtPartialMatchStart, "smi"));
  EXPECT_EQ(code(), "SMITH");
}

TEST_F(LocateOnTableTest, MatchTypesAndCaseOnAFieldTheIndexDoesNotLeadWith) {
  struct Case {
    int matchType;
    bool caseSensitive;
    const char* value;
    const char* found;  // nullptr: none
  };
  const Case cases[] = {
      {mtExactMatch, false, "SMITH", "SMITH"},   {mtExactMatch, true, "SMITH", nullptr},
      {mtExactMatch, true, "Smith", "SMITH"},    {mtPartialMatchAny, false, "smith", "JONES"},
      {mtPartialMatchAny, true, "smith", "KING"}, {mtPartialMatchStart, true, "smi", nullptr},
      {mtPartialMatchAny, false, "", nullptr},
  };
  TTable& clients = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.value) + " match " + std::to_string(c.matchType) + " case " +
                 std::to_string(c.caseSensitive));
    clients.First();
    EXPECT_EQ(LocateRecord(true, &clients, kLastName, c.caseSensitive, c.matchType, c.value), c.found != nullptr);
    EXPECT_EQ(code(), c.found ? c.found : "ADAMS");
  }
}

TEST_F(LocateOnTableTest, AFieldTheTableLacksIsToldAndNothingMoves) {
  TTable& clients = open();
  clients.Last();
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Field Nickname not found.");
  EXPECT_FALSE(LocateRecord(true, &clients, "Nickname", false, mtExactMatch, "x"));
  EXPECT_EQ(code(), "SMITH");
}

}  // namespace
