#include "platform/os/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/os/Paths.h"
#include "platform/os/WindowRegistry.h"

extern char** environ;

namespace qn::os {
namespace {

const char* const startupX = "QN_STARTUP_X";
const char* const startupY = "QN_STARTUP_Y";
const char* const startupShow = "QN_STARTUP_SHOW";

std::optional<int> intFromEnv(const char* name) {
  const char* v = std::getenv(name);
  if (!v || !*v) return std::nullopt;
  char* end;
  long value = std::strtol(v, &end, 10);
  if (*end) return std::nullopt;
  return static_cast<int>(value);
}

// This process's environment without its own placement (never handed down), plus the child's.
std::vector<std::string> childEnvironment(const StartupPlacement& placement) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string_view entry(*e);
    if (entry.rfind("QN_STARTUP_", 0) == 0) continue;
    env.emplace_back(entry);
  }
  auto add = [&](const char* name, const std::optional<int>& value) {
    if (value) env.push_back(std::string(name) + "=" + std::to_string(*value));
  };
  add(startupX, placement.x);
  add(startupY, placement.y);
  add(startupShow, placement.showWindow);
  return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> out;
  for (auto& s : strings) out.push_back(s.data());
  out.push_back(nullptr);
  return out;
}

bool namesFolder(const std::string& program) { return program.find_first_of("/\\:") != std::string::npos; }

// The child is ours to reap; a thread waits for it so no ended child lingers as a zombie.
void reapWhenEnded(pid_t pid) {
  std::thread([pid] {
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

struct SpawnOptions {
  bool ownSession = false;
  bool silent = false;  // stdin, stdout and stderr on /dev/null
};

pid_t spawn(const std::string& program, const std::vector<std::string>& args, const StartupPlacement& placement,
            SpawnOptions options) {
  std::string path = namesFolder(program) ? resolvePath(program) : program;
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env = childEnvironment(placement);
  auto argvPointers = pointers(argv);
  auto envPointers = pointers(env);

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);
  if (options.silent) {
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  if (options.ownSession) posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

  pid_t pid = 0;
  int err = namesFolder(program)
                ? posix_spawn(&pid, path.c_str(), &actions, &attributes, argvPointers.data(), envPointers.data())
                : posix_spawnp(&pid, path.c_str(), &actions, &attributes, argvPointers.data(), envPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  return err == 0 ? pid : 0;
}

}  // namespace

StartupPlacement startupPlacement() {
  return StartupPlacement{intFromEnv(startupX), intFromEnv(startupY), intFromEnv(startupShow)};
}

ChildProcess::~ChildProcess() {
  if (!exitCode_ && !lost_) reapWhenEnded(pid_);
}

std::optional<std::uint32_t> ChildProcess::exitCode() {
  if (exitCode_ || lost_) return exitCode_;
  int status = 0;
  pid_t r;
  while ((r = ::waitpid(pid_, &status, WNOHANG)) < 0 && errno == EINTR) {
  }
  if (r == 0) return STILL_ACTIVE;
  if (r < 0) lost_ = true;
  else if (WIFEXITED(status)) exitCode_ = static_cast<std::uint32_t>(WEXITSTATUS(status));
  else exitCode_ = 128 + static_cast<std::uint32_t>(WTERMSIG(status));
  return exitCode_;
}

bool ChildProcess::terminate() { return signal(SIGTERM); }

bool ChildProcess::kill() { return signal(SIGKILL); }

bool ChildProcess::signal(int number) {
  // An ended child not yet reaped still holds its pid, so the state is asked first: a signal to
  // a reaped pid could reach an unrelated process that took the number over.
  if (exitCode() != STILL_ACTIVE) return false;
  return ::kill(pid_, number) == 0;
}

bool ChildProcess::waitForInputIdle(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    for (const WindowEntry& window : windowRegistry::all())
      if (window.process.pid == pid_ && window.mainWindow) return true;
    if (exitCode() != STILL_ACTIVE || std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

std::unique_ptr<ChildProcess> startProcess(const std::string& program, const std::vector<std::string>& args,
                                           const StartupPlacement& placement) {
  pid_t pid = spawn(program, args, placement, {});
  return pid ? std::make_unique<ChildProcess>(pid) : nullptr;
}

bool startDetached(const std::string& program, const std::vector<std::string>& args,
                   const StartupPlacement& placement) {
  pid_t pid = spawn(program, args, placement, {.ownSession = true});
  if (pid) reapWhenEnded(pid);
  return pid != 0;
}

int runHiddenScript(const std::string& scriptPath) {
  namespace fs = std::filesystem;
  const fs::path script = resolvePath(scriptPath);
  std::error_code ec;
  if (script.has_parent_path() && !fs::is_directory(script.parent_path(), ec)) return 3;
  if (!fs::is_regular_file(script, ec)) return 2;
  if (::access(script.c_str(), R_OK) != 0) return 5;
  pid_t pid = spawn("/bin/sh", {script.string()}, {}, {.ownSession = true, .silent = true});
  if (!pid) return 5;
  reapWhenEnded(pid);
  return 33;
}

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
  std::vector<std::string> parts;
  std::string current;
  bool inPart = false, quoted = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inPart = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inPart) parts.push_back(std::move(current));
      current.clear();
      inPart = false;
    } else {
      current += c;
      inPart = true;
    }
  }
  if (inPart) parts.push_back(std::move(current));
  return parts;
}

}  // namespace qn::os
