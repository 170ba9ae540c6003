// Suffix completion through the suffix's key handler.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "dialogs/tests/LookupHeaderFixture.h"
#include "framework/ui/VirtualKeys.h"

namespace dialogs_test {
namespace {

class ClientCaseLookFKeysTest : public LookupHeaderFixture {
 protected:
  void SetUp() override {
    LookupHeaderFixture::SetUp();
    makeHeader();
  }
  WORD down(WORD key) {
    header->CaseSuffixKeyDown(header->CaseSuffix, key, {});
    return key;
  }
  char press(char key) {
    header->ClientNameKeyPress(header->CaseSuffix, key);
    return key;
  }
};

TEST_F(ClientCaseLookFKeysTest, TypingABWithoutAClientCompletesToTheFirstSuffixAndSelectsTheRest) {
  enterSuffix("", "");
  down('A');
  down('B');
  EXPECT_TRUE(SuffixTyping);
  EXPECT_EQ(TypedSuffixPrefix, "AB");
  EXPECT_EQ(header->CaseSuffix->Text(), "AB1");
  EXPECT_EQ(header->CaseSuffix->SelStart(), 2);
  EXPECT_EQ(header->CaseSuffix->SelText(), "1");
  // The character itself was placed by the key handler.
  EXPECT_EQ(press('C'), 0);
  EXPECT_EQ(press('\b'), '\b');
  down(VK_BACK);
  EXPECT_FALSE(SuffixTyping);
  EXPECT_EQ(TypedSuffixPrefix, "");
  EXPECT_EQ(press('C'), 'C');
}

TEST_F(ClientCaseLookFKeysTest, SpaceInNumericOrderRightJustifiesTheSuffixAndSetsTheRange) {
  ListCasesInNumericOrder = true;
  enterSuffix("ABC", "1");
  EXPECT_EQ(down(VK_SPACE), 0);
  EXPECT_EQ(header->CaseSuffix->Text(), "      1");
  EXPECT_TRUE(CaseRangeActive);
  EXPECT_EQ(CaseRangeStart, "      1");
  EXPECT_EQ(CaseRangeIndex, "1");
  EXPECT_EQ(down(VK_NUMPAD0 + 2), 0);
  EXPECT_EQ(TypedSuffixPrefix, "2");
  EXPECT_EQ(down(VK_F5), 0) << "any other key is swallowed";
  EXPECT_EQ(down(VK_LEFT), VK_LEFT);
}

TEST_F(ClientCaseLookFKeysTest, EnterInAnyComboBecomesATab) {
  char key = '\r';
  header->ClientNameKeyPress(header->ClientCode, key);
  EXPECT_EQ(key, 0);
}

}  // namespace
}  // namespace dialogs_test
