#include "platform/os/ExecutablePath.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using qn::os::ExecutablePathOverride;
using qn::os::executablePath;

TEST(ExecutablePathTest, WithoutOverrideItIsTheRunningProgram) {
  EXPECT_EQ(std::filesystem::path(executablePath()).filename(), "platform-os-tests");
  EXPECT_TRUE(std::filesystem::is_regular_file(executablePath()));
}

TEST(ExecutablePathTest, OverridesNestAndEachPutsBackWhatItReplaced) {
  const std::string real = executablePath();
  {
    ExecutablePathOverride outer("/opt/quillon/QNCASES");
    EXPECT_EQ(executablePath(), "/opt/quillon/QNCASES");
    {
      ExecutablePathOverride inner("/home/client/x/qncases");
      EXPECT_EQ(executablePath(), "/home/client/x/qncases");
    }
    EXPECT_EQ(executablePath(), "/opt/quillon/QNCASES");
  }
  EXPECT_EQ(executablePath(), real);
}

}  // namespace
