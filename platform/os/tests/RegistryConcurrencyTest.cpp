#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/os/RegistryKey.h"

extern char** environ;

namespace {
using namespace qn::os;

std::string besideThisTest(const std::string& program) {
  return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / program).string();
}

pid_t start(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  int rc = posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
  EXPECT_EQ(rc, 0) << "cannot start " << args[0];
  return rc == 0 ? pid : -1;
}

int exitCode(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Each writer's read-modify-write holds the hive's lock; without it, writers replacing the file
// from stale copies would drop each other's values.
TEST(RegistryConcurrencyTest, WritersInSeveralProcessesLoseNothing) {
  const int writers = 4;
  const int values = 60;
  const std::string program = besideThisTest("qn-registry-writer");
  std::vector<pid_t> children;
  for (int w = 0; w < writers; ++w)
    children.push_back(start({program, "writer" + std::to_string(w), std::to_string(values)}));
  for (pid_t pid : children) ASSERT_EQ(exitCode(pid), 0);

  RegistryKey reg(HKEY_LOCAL_MACHINE, KEY_READ);
  ASSERT_TRUE(reg.OpenKey("\\Software\\Shared", false));
  EXPECT_EQ(reg.GetValueNames().size(), static_cast<size_t>(writers * values));
  for (int w = 0; w < writers; ++w) {
    const std::string writer = "writer" + std::to_string(w);
    for (int i = 0; i < values; ++i)
      EXPECT_EQ(reg.ReadString(writer + "-" + std::to_string(i)), "written by " + writer);
    RegistryKey own(HKEY_LOCAL_MACHINE, KEY_READ);
    ASSERT_TRUE(own.OpenKey("\\Software\\Shared\\" + writer, false));
    EXPECT_EQ(own.ReadInteger("Count"), values);
  }
}

}  // namespace
