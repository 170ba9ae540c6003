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
    EXPECT_EQ(qn::os::executableFolder(), "/opt/quillon");
    {
      ExecutablePathOverride inner("/home/client/x/qncases");
      EXPECT_EQ(executablePath(), "/home/client/x/qncases");
      EXPECT_EQ(qn::os::executableFolder(), "/home/client/x");
      // Helpers of the tests still lie beside the file really running.
      EXPECT_EQ(qn::os::runningProgramFolder(), std::filesystem::path(real).parent_path().string());
    }
    EXPECT_EQ(executablePath(), "/opt/quillon/QNCASES");
  }
  EXPECT_EQ(executablePath(), real);
  EXPECT_EQ(qn::os::executableFolder(), std::filesystem::path(real).parent_path().string());
}

}  // namespace
