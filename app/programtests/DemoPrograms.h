#pragma once
// A seeded demo and the program started on it as a real process, for the program's tests. Test
// code only.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "core/FileDates.h"
#include "framework/base/DateTime.h"
#include "platform/os/ExecutablePath.h"
#include "testing/TestDirs.h"

namespace demoprograms {

inline const std::filesystem::path& programFolder() {
  static const std::filesystem::path folder = std::filesystem::path(qn::os::runningProgramFolder());
  return folder;
}

inline std::string seedDemo() {
  const std::string demo = qn::testing::makeScratchDir("demo");
  const std::string command = "'" + (programFolder() / "qnseed").string() + "' demo '" + demo + "' >/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return demo;
}

// Today as the launch script passes it, in the record files' form.
inline std::string todayArgument() {
  AnsiString today;
  DateToFileDate(true, today, Date());
  return today;
}

// Every file under the folder with its bytes, to tell what a run changed.
inline std::map<std::string, std::string> filesUnder(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    files[std::filesystem::relative(entry.path(), folder).string()] = bytes.str();
  }
  return files;
}

template <typename Done>
bool eventually(Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The process's exit code (128 + the signal that ended it), once it ends; nothing when it is
// still running after a generous wait, and then it is killed.
inline std::optional<int> exitCodeOf(pid_t pid) {
  int status = 0;
  if (!eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
    ::kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return std::nullopt;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace demoprograms
