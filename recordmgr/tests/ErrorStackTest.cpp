#include <gtest/gtest.h>

#include <cstring>

#include "recordmgr/BtrieveError.h"
#include "recordmgr/ErrorStack.h"

namespace {

ErrorEntry entryWithCode(uint16_t code) {
  ErrorEntry entry{};
  entry.engineCode = code;
  return entry;
}

// Entries are packed and the assertions take their arguments by reference, which a misaligned
// field cannot be bound to: the fields are read by value first.
uint16_t codeOf(const ErrorEntry& entry) { return entry.engineCode; }
int32_t statusOf(const ErrorEntry& entry) { return entry.nativeStatus; }

TEST(ErrorStackTest, KeepsTheNewestEntriesNewestFirst) {
  TErrorStack stack(10);
  EXPECT_FALSE(stack.HasEntries());
  for (uint16_t code = 1; code <= 12; ++code) stack.Push(entryWithCode(code));
  EXPECT_TRUE(stack.HasEntries());
  EXPECT_EQ(stack.Count(), 12);

  ErrorEntry entry{};
  for (uint16_t index = 1; index <= 10; ++index) {
    ASSERT_TRUE(stack.GetEntry(index, entry)) << index;
    EXPECT_EQ(codeOf(entry), 13 - index) << index;
  }
  EXPECT_FALSE(stack.GetEntry(11, entry));
  EXPECT_FALSE(stack.GetEntry(0, entry));
}

TEST(ErrorStackTest, ReadsOnlyWhatWasPushed) {
  TErrorStack stack(10);
  ErrorEntry entry{};
  EXPECT_FALSE(stack.GetEntry(1, entry));
  stack.Push(entryWithCode(7));
  stack.Push(entryWithCode(8));
  EXPECT_FALSE(stack.GetEntry(3, entry));
  ASSERT_TRUE(stack.GetEntry(2, entry));
  EXPECT_EQ(codeOf(entry), 7);

  stack.Clear();
  EXPECT_FALSE(stack.HasEntries());
  EXPECT_FALSE(stack.GetEntry(1, entry));
  stack.Push(entryWithCode(9));
  ASSERT_TRUE(stack.GetEntry(1, entry));
  EXPECT_EQ(codeOf(entry), 9);
  EXPECT_FALSE(stack.GetEntry(2, entry));
}

TEST(ErrorStackTest, DepthIsCappedAtTwenty) {
  TErrorStack stack(50);
  EXPECT_EQ(stack.Depth(), 20);
  for (uint16_t code = 1; code <= 30; ++code) stack.Push(entryWithCode(code));
  ErrorEntry entry{};
  ASSERT_TRUE(stack.GetEntry(20, entry));
  EXPECT_EQ(codeOf(entry), 11);
  EXPECT_FALSE(stack.GetEntry(21, entry));
}

TEST(ErrorStackTest, PushExceptionRecordsCodeNameStatusAndTexts) {
  TErrorStack stack(10);
  stack.PushException(EBtrieveEngineError(12, "C:\\QNDATA\\YCASE.QF"));
  ErrorEntry entry{};
  ASSERT_TRUE(stack.GetEntry(1, entry));
  EXPECT_EQ(codeOf(entry), 0x2704);
  EXPECT_STREQ(entry.codeName, "DBIERR_NOSUCHFILE");
  EXPECT_EQ(statusOf(entry), 12);
  EXPECT_STREQ(entry.nativeText,
               "Btrieve Status 12 - The MicroKernel cannot find the specified file.\r\nKey=[C:\\QNDATA\\YCASE.QF]");
  EXPECT_STREQ(entry.contextText, "");

  stack.PushException(EKorvoEngineError(1, "context"));
  ASSERT_TRUE(stack.GetEntry(1, entry));
  EXPECT_STREQ(entry.codeName, "Korvo (BDE) Error 1.");
  EXPECT_EQ(statusOf(entry), 0);
  EXPECT_STREQ(entry.nativeText, "");
  EXPECT_STREQ(entry.contextText, "context");
}

}  // namespace
