// The program's own path, as the program folder and the application object see it.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Globals.h"
#include "framework/ui/Application.h"
#include "platform/os/ExecutablePath.h"

namespace {

TEST(ExecutableFolderTest, ProgramDirStartsAsTheRunningProgramsFolder) {
  const std::filesystem::path running = std::filesystem::read_symlink("/proc/self/exe");
  EXPECT_EQ(ProgramDir, running.parent_path().string());
  EXPECT_EQ(ExecutableFolder(), ProgramDir);
}

TEST(ExecutableFolderTest, TheFolderAndTheApplicationFollowAPathATestSets) {
  {
    qn::os::ExecutablePathOverride path("/opt/quillon/bin/QNCASES");
    EXPECT_EQ(ExecutableFolder(), "/opt/quillon/bin");
    EXPECT_EQ(Application->ExeName(), "/opt/quillon/bin/QNCASES");
  }
  EXPECT_EQ(Application->ExeName(), std::filesystem::read_symlink("/proc/self/exe").string());
}

}  // namespace
