// Start-up speed of qncases on a seeded demo, offscreen. Each iteration starts the program, waits
// until its main window is registered on the desktop (from then on it takes input), ends it with
// SIGTERM and waits for it to exit. The baseline starts the framework's smallest program showing
// one empty form the same way.
//
// Prints, after the table:
//   ratio startup <qncases starts/s / baseline starts/s>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/os/Process.h"
#include "testing/RatioReporter.h"
#include "platform/os/ExecutablePath.h"

namespace {

namespace fs = std::filesystem;

const fs::path& programFolder() {
  static const fs::path folder = fs::path(qn::os::runningProgramFolder());
  return folder;
}

// Today in the record files' form, as the launch script passes it.
std::string systemDateArgument() {
  const std::time_t now = std::time(nullptr);
  const std::tm today = *std::localtime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%02d%02d%02d", today.tm_year + 1900 - 1980, today.tm_mon + 1, today.tm_mday);
  return text;
}

// One demo for the whole run, in a folder of its own; the programs find it through QN_ROOT.
bool seedDemo() {
  static const bool seeded = [] {
    const fs::path scratch = fs::temp_directory_path() / ("qn-startup-bench-" + std::to_string(getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch / "runtime");
    const std::string command =
        (programFolder() / "qnseed").string() + " demo " + (scratch / "demo").string() + " >/dev/null";
    if (std::system(command.c_str()) != 0) return false;
    setenv("QN_ROOT", (scratch / "demo" / "root").c_str(), 1);
    setenv("QN_RUNTIME_DIR", (scratch / "runtime").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return true;
  }();
  return seeded;
}

void waitForEnd(qn::os::ChildProcess& child) {
  while (child.exitCode() == qn::os::STILL_ACTIVE) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

void startAndEnd(benchmark::State& state, const std::string& program, const std::vector<std::string>& args) {
  if (!seedDemo()) {
    state.SkipWithError("qnseed demo failed");
    return;
  }
  for (auto _ : state) {
    auto child = qn::os::startProcess((programFolder() / program).string(), args);
    if (!child || !child->waitForInputIdle(60000)) {
      state.SkipWithError((program + " never showed its main window").c_str());
      if (child) ::kill(child->pid(), SIGKILL);
      return;
    }
    ::kill(child->pid(), SIGTERM);
    waitForEnd(*child);
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_StartQncases(benchmark::State& state) { startAndEnd(state, "qncases", {systemDateArgument()}); }
void BM_StartEmptyForm(benchmark::State& state) { startAndEnd(state, "qn-empty-form-program", {}); }

BENCHMARK(BM_StartQncases)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_StartEmptyForm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  qn::testing::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("ratio", "startup", "BM_StartQncases/iterations:10/real_time",
                     "BM_StartEmptyForm/iterations:10/real_time");
  benchmark::Shutdown();
  return 0;
}
