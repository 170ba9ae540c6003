#include <gtest/gtest.h>

#include "framework/base/ApplicationHooks.h"

namespace {

TEST(ApplicationHooks, ProcessMessagesDoesNothingUntilAHookIsInstalled) {
  ProcessPendingMessages();
  int processed = 0;
  ProcessMessagesHook previous = SetProcessMessagesHook([&] { ++processed; });
  ProcessPendingMessages();
  ProcessPendingMessages();
  SetProcessMessagesHook(previous);
  ProcessPendingMessages();
  EXPECT_EQ(processed, 2);
}

}  // namespace
