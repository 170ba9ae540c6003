#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/Exception.h"

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

TEST(ApplicationHooks, WithoutHookAReportGoesToStandardErrorExceptASilentAbort) {
  auto report = [](auto exception) {
    ::testing::internal::CaptureStderr();
    try {
      throw exception;
    } catch (...) {
      HandleApplicationException(nullptr);
    }
    return ::testing::internal::GetCapturedStderr();
  };
  EXPECT_EQ(report(std::runtime_error("Btrieve Status 2")), "Btrieve Status 2\n");
  EXPECT_EQ(report(Exception("A record lock was encountered.")), "A record lock was encountered.\n");
  EXPECT_EQ(report(EAbort("Record not saved")), "");
}

}  // namespace
