#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/os/IniFile.h"
#include "platform/os/RegistryKey.h"
#include "testing/TestDirs.h"
#include "platform/os/ExecutablePath.h"

extern char** environ;

// Several processes change one hive or one INI file at once. Each change is a read-modify-write
// of the whole file under its lock; without the lock, writers replacing the file from stale
// copies would drop each other's values.
namespace {
using namespace qn::os;

constexpr int kWriters = 4;
constexpr int kValues = 50;

std::string writerName(int w) { return "writer" + std::to_string(w); }

// Starts one child per writer, with the arguments args gives for it, and waits for all of them.
void runWriters(const std::function<std::vector<std::string>(const std::string& writer)>& args) {
  const std::string program =
      qn::os::runningProgramFolder() + "/qn-shared-writer";
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    std::vector<std::string> all = {program};
    for (std::string& a : args(writerName(w))) all.push_back(std::move(a));
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ), 0) << program;
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed, status " << status;
  }
}

TEST(SharedWritesTest, RegistryWritersInSeveralProcessesLoseNothing) {
  runWriters([](const std::string& writer) {
    return std::vector<std::string>{"registry", writer, std::to_string(kValues)};
  });

  RegistryKey reg(HKEY_LOCAL_MACHINE, KEY_READ);
  ASSERT_TRUE(reg.OpenKey("\\Software\\Shared", false));
  EXPECT_EQ(reg.GetValueNames().size(), static_cast<size_t>(kWriters * kValues));
  EXPECT_EQ(reg.GetKeyNames().size(), static_cast<size_t>(kWriters));
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kValues; ++i)
      EXPECT_EQ(reg.ReadString(writerName(w) + "-" + std::to_string(i)), "written by " + writerName(w));
    RegistryKey own(HKEY_LOCAL_MACHINE, KEY_READ);
    ASSERT_TRUE(own.OpenKey("\\Software\\Shared\\" + writerName(w), false));
    EXPECT_EQ(own.ReadInteger("Count"), kValues);
  }
}

TEST(SharedWritesTest, IniWritersInSeveralProcessesLoseNothing) {
  const std::string file = qn::testing::makeScratchDir("shared-ini") + "/Shared.ini";
  runWriters([&](const std::string& writer) {
    return std::vector<std::string>{"ini", file, writer, std::to_string(kValues)};
  });

  IniFile ini(file);
  EXPECT_EQ(ini.ReadSection("Shared").size(), static_cast<size_t>(kWriters * kValues));
  EXPECT_EQ(ini.ReadSections().size(), static_cast<size_t>(kWriters + 1));
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kValues; ++i)
      EXPECT_EQ(ini.ReadString("Shared", writerName(w) + "-" + std::to_string(i), ""),
                "written by " + writerName(w) + ", line " + std::to_string(i));
    EXPECT_EQ(ini.ReadInteger(writerName(w), "Count", 0), kValues);
  }
}

TEST(SharedWritesTest, IniWritersNamingOneFileDifferentlyLoseNothing) {
  // One new file, named by each writer in its own way: letter case, and a folder reached through
  // a link, as a drive letter mapped to a linked folder reaches it.
  const std::string dir = qn::testing::makeScratchDir("shared-ini-names");
  const std::string link = qn::testing::makeScratchDir("shared-ini-link") + "/data";
  std::filesystem::create_directory_symlink(dir, link);
  const std::vector<std::string> spellings = {dir + "/Shared.ini", dir + "/SHARED.INI", link + "/Shared.ini",
                                              link + "/shared.ini"};
  int next = 0;
  runWriters([&](const std::string& writer) {
    return std::vector<std::string>{"ini", spellings[next++ % spellings.size()], writer, std::to_string(kValues)};
  });

  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) files.push_back(entry.path().filename());
  ASSERT_EQ(files.size(), 1u) << "one file, with the spelling of whichever writer came first";
  IniFile ini(dir + "/" + files[0]);
  EXPECT_EQ(ini.ReadSection("Shared").size(), static_cast<size_t>(kWriters * kValues));
  for (int w = 0; w < kWriters; ++w) EXPECT_EQ(ini.ReadInteger(writerName(w), "Count", 0), kValues);
}

}  // namespace
