// The program asked to end (SIGTERM) while a start-up refusal's box waits on the user, started as
// a real process on a damaged demo: the box ends as its only button would, and the program
// ends as it does after that answer, writing nothing.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>

#include "app/programtests/DemoPrograms.h"
#include "framework/ui/QtMessageBox.h"
#include "platform/os/WindowRegistry.h"
#include "testing/TestDirs.h"

namespace {

namespace fs = std::filesystem;
using namespace demoprograms;

struct Refusal {
  const char* name;
  std::function<void(const fs::path& root)> damage;  // what the demo lacks
  std::function<std::string()> argument;              // the program's first argument
};

const Refusal refusals[] = {
    {"NoInitializationFile", [](const fs::path& root) { fs::remove(root / "windows" / "Qnvantor.ini"); },
     todayArgument},
    {"NoWorkstationId", [](const fs::path& root) { std::ofstream(root / "windows" / "Qnvantor.ini") << "[Setup]\nOther=1\n"; },
     todayArgument},
    {"ADateThatIsNone", [](const fs::path&) {}, [] { return std::string("451399"); }},
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

pid_t startProgram(const fs::path& root, const std::string& argument) {
  const std::string program = (programFolder() / "qncases").string();
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QN_ROOT", root.c_str(), 1);
    execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

bool showsABox(pid_t pid) {
  for (const qn::os::WindowEntry& entry : qn::os::windowRegistry::all())
    if (entry.className == qn::ui::boxClassName && entry.process.pid == pid) return true;
  return false;
}

class EndingDuringABox : public ::testing::TestWithParam<Refusal> {
 protected:
  void SetUp() override {
    // A program of the same mode started by another test must not take this one for its second start.
    setenv("QN_RUNTIME_DIR", qn::testing::makeScratchDir("ending-runtime").c_str(), 1);
  }
};

TEST_P(EndingDuringABox, TheRefusalsBoxEndsAndTheProgramEndsWithExitCodeZeroWritingNothing) {
  const Refusal& refusal = GetParam();
  const fs::path root = fs::path(seedDemo()) / "root";
  refusal.damage(root);
  const auto before = filesUnder(root);
  const pid_t pid = startProgram(root, refusal.argument());
  ASSERT_GT(pid, 0);
  if (!eventually([&] { return showsABox(pid); })) {
    ::kill(pid, SIGKILL);
    FAIL() << "the program never showed its refusal";
  }
  ::kill(pid, SIGTERM);
  EXPECT_EQ(exitCodeOf(pid), std::optional<int>(0)) << "still running long after the signal, or ended otherwise";
  EXPECT_EQ(filesUnder(root), before);
}

INSTANTIATE_TEST_SUITE_P(StartupRefusals, EndingDuringABox, ::testing::ValuesIn(refusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
