#pragma once
// Starting other programs and following them. A child learns its start-up position and show
// state from its environment (QN_STARTUP_X, QN_STARTUP_Y, QN_STARTUP_SHOW) and reports that it
// is ready for input by registering its main window in the window registry.
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qn::os {

// The exit code of a process that still runs.
constexpr std::uint32_t STILL_ACTIVE = 259;

// Show states a program is started with.
enum ShowWindowState : int {
  SW_HIDE = 0,
  SW_SHOWNORMAL = 1,
  SW_SHOWMINIMIZED = 2,
  SW_SHOWMAXIMIZED = 3,
  SW_SHOWNOACTIVATE = 4,
  SW_SHOW = 5,
  SW_MINIMIZE = 6,
  SW_SHOWMINNOACTIVE = 7,
  SW_SHOWNA = 8,
  SW_RESTORE = 9,
  SW_SHOWDEFAULT = 10,
};

// Where and how the child shows its first window; what is absent the child chooses itself.
struct StartupPlacement {
  std::optional<int> x, y;
  std::optional<int> showWindow;
};

// What this process was started with.
StartupPlacement startupPlacement();

// A started child. Letting go of it leaves the child running (and reaps it when it ends).
class ChildProcess {
 public:
  explicit ChildProcess(pid_t pid) : pid_(pid) {}
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }

  // STILL_ACTIVE while the child runs; afterwards its exit status, or 128 + the signal that
  // ended it. Empty when the child can no longer be followed.
  std::optional<std::uint32_t> exitCode();

  // Waits at most timeoutMs for the child to register its main window. False on time-out and
  // when the child ends first.
  bool waitForInputIdle(int timeoutMs);

  // Ask the child to end (SIGTERM) or end it outright (SIGKILL). False when no signal went out:
  // the child has already ended or can no longer be followed.
  bool terminate();
  bool kill();

 private:
  bool signal(int number);

  pid_t pid_;
  std::optional<std::uint32_t> exitCode_;
  bool lost_ = false;
};

// Starts program with args. A program named with a folder goes through the path service (which
// throws AmbiguousPathError when two spellings match); a bare name is looked up on PATH. Null
// when it could not be started.
std::unique_ptr<ChildProcess> startProcess(const std::string& program, const std::vector<std::string>& args,
                                           const StartupPlacement& placement = {});

// Starts program to run on its own, in a session of its own; nobody waits for it.
bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const StartupPlacement& placement = {});

// Runs a shell script with no terminal and no output, not waiting for it. Answers as the shell
// does: above 32 when it started, 2 when the file does not exist, 3 when its folder does not,
// 5 when it cannot be read or the shell cannot be started.
int runHiddenScript(const std::string& scriptPath);

// A command line split into program and arguments: blanks separate, double quotes group.
// Backslashes are path separators, never escapes.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

}  // namespace qn::os
