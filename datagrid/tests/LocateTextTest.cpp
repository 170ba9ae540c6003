// One record's text against a locate value: exact, at the start or anywhere, with or
// without case, and what an empty value or text matches.
#include <gtest/gtest.h>

#include "datagrid/LocateText.h"

namespace {

struct MatchCase {
  const char* text;
  const char* value;  // as the engine hands it: upper-cased unless case-sensitive
  int matchType;
  bool caseSensitive;
  bool matches;
};

void PrintTo(const MatchCase& c, std::ostream* os) {
  *os << '"' << c.text << "\" / \"" << c.value << "\" type " << c.matchType << " case " << c.caseSensitive;
}

class TextMatchesTable : public ::testing::TestWithParam<MatchCase> {};

TEST_P(TextMatchesTable, Decides) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(TextMatches(c.text, c.value, c.matchType, c.caseSensitive), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextMatchesTable,
    ::testing::Values(
        MatchCase{"Smith", "SMITH", mtExactMatch, false, true},
        MatchCase{"Smith", "SMITH", mtExactMatch, true, false},
        MatchCase{"Smith", "Smith", mtExactMatch, true, true},
        MatchCase{"Smithers", "SMITH", mtExactMatch, false, false},
        MatchCase{"Smith", "SMI", mtPartialMatchStart, false, true},
        MatchCase{"Smith", "smi", mtPartialMatchStart, true, false},
        MatchCase{"Smith", "Smi", mtPartialMatchStart, true, true},
        MatchCase{"Smith", "MITH", mtPartialMatchStart, false, false},
        MatchCase{"Smith", "MITH", mtPartialMatchAny, false, true},
        MatchCase{"Smith", "mith", mtPartialMatchAny, true, true},
        MatchCase{"Smith", "MITH", mtPartialMatchAny, true, false},
        MatchCase{"Smith", "X", mtPartialMatchAny, false, false},
        MatchCase{"\xE9t\xE9", "\xC9T\xC9", mtExactMatch, false, true},
        // An empty value is found nowhere: only an empty text matches it, and only exactly.
        MatchCase{"", "", mtExactMatch, false, true},
        MatchCase{"", "", mtExactMatch, true, true},
        MatchCase{"", "", mtPartialMatchStart, false, false},
        MatchCase{"", "", mtPartialMatchAny, true, false},
        MatchCase{"Smith", "", mtExactMatch, false, false},
        MatchCase{"Smith", "", mtPartialMatchStart, false, false},
        MatchCase{"Smith", "", mtPartialMatchAny, true, false},
        MatchCase{"", "SMITH", mtPartialMatchAny, false, false}));

}  // namespace
