// The filter dialog's value syntax: how a typed value becomes a mode and tokens.
#include <gtest/gtest.h>

#include <vector>

#include "datagrid/FieldOperators.h"
#include "datagrid/FilterValueSyntax.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

using qn::ui::testing::ScriptedMessageBoxes;

namespace {

struct SyntaxCase {
  const char* value;
  FilterValueMode mode;
  std::vector<AnsiString> tokens;
};

TEST(FilterValueSyntaxTest, ValueBecomesModeAndTokens) {
  const std::vector<SyntaxCase> cases{
      SyntaxCase{"smith or jones", FilterValueMode::Or, {"smith", "jones"}},
      SyntaxCase{"smith", FilterValueMode::Single, {"smith"}},
      SyntaxCase{"or jones", FilterValueMode::Single, {"or jones"}},
      SyntaxCase{"Smith OR Jones Or Brown", FilterValueMode::Or, {"Smith", "Jones", "Brown"}},
      SyntaxCase{"new york and city", FilterValueMode::And, {"new york", "city"}},
      // The first operator fixes the mode; the other is an ordinary word.
      SyntaxCase{"a and b or c", FilterValueMode::And, {"a", "b or c"}},
      SyntaxCase{"  smith   jones  ", FilterValueMode::Single, {"smith jones"}},
      SyntaxCase{"\"smith or jones\"", FilterValueMode::Single, {"smith or jones"}},
      SyntaxCase{"x \"or\" y", FilterValueMode::Single, {"x or y"}},
      SyntaxCase{"smith or", FilterValueMode::Or, {"smith"}},
      SyntaxCase{"a or or b", FilterValueMode::Or, {"a", "b"}},
      SyntaxCase{"a\tor\r\nb", FilterValueMode::Or, {"a", "b"}},
      SyntaxCase{"", FilterValueMode::Single, {}}};
  TdcFieldOperators operators;
  for (const SyntaxCase& c : cases) {
    const FilterValueTokens split = SplitFilterValue(c.value, operators);
    EXPECT_EQ(split.Mode, c.mode) << c.value;
    EXPECT_EQ(split.Tokens, c.tokens) << c.value;
  }
}

TEST(FilterValueSyntaxOneCharacterTest, AOneCharacterOperatorIsAWordEvenWithoutBlanks) {
  qn::ui::testing::qtApplication();
  TdcFieldOperators operators;
  operators.SetOrChar("|");
  operators.SetAndChar("&");
  FilterValueTokens split = SplitFilterValue("smith|jones", operators);
  EXPECT_EQ(split.Mode, FilterValueMode::Or);
  EXPECT_EQ(split.Tokens, (std::vector<AnsiString>{"smith", "jones"}));
  split = SplitFilterValue("a&b&c", operators);
  EXPECT_EQ(split.Mode, FilterValueMode::And);
  EXPECT_EQ(split.Tokens, (std::vector<AnsiString>{"a", "b", "c"}));
  EXPECT_TRUE(FilterValueHasOperator("x | y", operators));
  EXPECT_FALSE(FilterValueHasOperator("| y", operators));
}

TEST(FieldOperatorsTest, EqualWordsWarnButTheValueStays) {
  qn::ui::testing::qtApplication();
  TdcFieldOperators operators;
  ScriptedMessageBoxes boxes;
  boxes.expect(mtWarning, "Operators do not have a unique value.");
  operators.SetAndChar(" OR ");
  EXPECT_EQ(operators.AndChar(), "OR");
  boxes.expect(mtWarning, "Operators do not have a unique value.");
  operators.SetNullChar("or");
  operators.SetNullChar("or");  // unchanged: no second warning
  EXPECT_EQ(operators.NullChar(), "or");
}

TEST(FieldOperatorsTest, DistinctWordsAreSetQuietly) {
  qn::ui::testing::qtApplication();
  TdcFieldOperators operators;
  ScriptedMessageBoxes boxes;
  operators.SetOrChar("  ou ");
  operators.SetAndChar("et");
  operators.SetNullChar("nul");
  EXPECT_EQ(operators.OrChar(), "ou");
  EXPECT_EQ(operators.AndChar(), "et");
  EXPECT_EQ(operators.NullChar(), "nul");
}

}  // namespace
