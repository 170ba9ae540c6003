// qnsibling, the stand-in for the suite's other programs: its windows on the message bus, its log
// of what it was started with and sent, its answers and its ends, each in a real process.
#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/CompanionPrograms.h"
#include "platform/os/MessageBus.h"
#include "platform/os/Process.h"
#include "platform/os/WindowRegistry.h"
#include "testing/TestDirs.h"
#include "tools/tests/ToolRunner.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using qn::tools::testing::runTool;
using qn::tools::testing::toolPath;

bool within(int seconds, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

std::vector<json> readLog(const std::string& path) {
  std::vector<json> events;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) events.push_back(json::parse(line));
  return events;
}

// A sibling started by the test, logging into its own file; ended (and waited for) at the end.
class Sibling {
 public:
  Sibling(const std::string& program, const std::vector<std::string>& args)
      : log_(qn::testing::makeScratchDir("sibling") + "/log.jsonl") {
    ::setenv("QN_SIBLING_LOG", log_.c_str(), 1);
    child_ = qn::os::startProcess(toolPath(program).string(), args);
    ::unsetenv("QN_SIBLING_LOG");
  }
  ~Sibling() {
    if (child_ && child_->exitCode() == qn::os::STILL_ACTIVE) child_->kill();
  }
  qn::os::ChildProcess& child() { return *child_; }
  bool started() const { return child_ != nullptr; }
  std::vector<json> events() const { return readLog(log_); }
  bool logged(const std::function<bool(const json&)>& match) const {
    return within(10, [&] {
      for (const json& event : events())
        if (match(event)) return true;
      return false;
    });
  }
  std::optional<std::uint32_t> exitWithin(int seconds) {
    within(seconds, [&] { return child_->exitCode() != qn::os::STILL_ACTIVE; });
    return child_->exitCode();
  }

 private:
  std::string log_;
  std::unique_ptr<qn::os::ChildProcess> child_;
};

struct RoleCase {
  std::string program;             // the file started
  std::vector<std::string> options;  // what chooses the role when the file name does not
  std::string role, className, caption;
};

const std::vector<RoleCase> roleCases = {
    {"qnclient", {}, "client-entry", "TClientEntryF", "Quillon Client Entry"},
    {"qnacctst", {}, "account-status", "TAccountStatusF", "Quillon Account Status"},
    {"qnreport", {}, "reporting", "TReportingF", "Quillon Reporting"},
    {"qncasemgr", {}, "case-manager", "TEntryF", "Quillon Case Manager Entry and Maintenance Module"},
    {"qncalexp", {}, "calendar-export", "TCalendarExportF", "Quillon Calendar Export Converter"},
    {"qndelinq", {}, "delinquent-tracking", "TDelinquentF", "Quillon Delinquent Account Tracking"},
    {"qnsibling", {"--role", "format-table-viewer"}, "format-table-viewer", "TFormatTableF", "Quillon Format Table Viewer"},
    {"qnsibling", {"--role", "main-program"}, "main-program", "TMainMenuF", "Quillon Main Menu"},
};

std::optional<qn::os::WindowEntry> windowOf(pid_t pid, const std::string& className) {
  for (const auto& window : qn::os::windowRegistry::all())
    if (window.process.pid == pid && window.className == className) return window;
  return std::nullopt;
}

TEST(Sibling, EachRoleShowsItsWindowsLogsItsArgumentsAndMessagesAndEndsWhenTold) {
  for (const RoleCase& c : roleCases) {
    SCOPED_TRACE(c.program + " " + c.role);
    std::vector<std::string> args = c.options;
    for (const char* word : {"x", "O\"Brien; touch X", "", "--no-window"}) args.push_back(word);
    Sibling sibling(c.program, args);
    ASSERT_TRUE(sibling.started());
    ASSERT_TRUE(sibling.child().waitForInputIdle(10000));
    const auto main = windowOf(sibling.child().pid(), c.className);
    ASSERT_TRUE(main);
    EXPECT_EQ(main->caption, c.caption);
    EXPECT_TRUE(main->mainWindow);
    const auto application = qn::os::windowRegistry::find(main->owner);
    ASSERT_TRUE(application) << "the main window is owned by the program's application window";
    EXPECT_EQ(application->process.pid, sibling.child().pid());
    const auto events = sibling.events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events[0]["event"], "start");
    EXPECT_EQ(events[0]["role"], c.role);
    EXPECT_EQ(events[0]["args"], json(args)) << "an argument after the first that is not an option is an argument";

    ASSERT_EQ(runTool("qnsibling", {"send", "QN_Test_Hello", "hello there"}).exitCode, 0);
    EXPECT_TRUE(sibling.logged([](const json& e) {
      return e["event"] == "message" && e["name"] == "QN_Test_Hello" && e["text"] == "hello there" && e["wParam"] == 0;
    }));
    ASSERT_EQ(runTool("qnsibling", {"send", "QN_Sibling_Exit", ""}).exitCode, 0);
    EXPECT_EQ(sibling.exitWithin(10), 0u);
    EXPECT_FALSE(windowOf(sibling.child().pid(), c.className)) << "its windows leave the registry";
  }
}

TEST(Sibling, TheCaseManagerRoleIsWhatTheProgramTakesForARunningCaseManager) {
  EXPECT_FALSE(IsCaseManagerRunning());
  Sibling sibling("qncasemgr", {});
  ASSERT_TRUE(sibling.child().waitForInputIdle(10000));
  EXPECT_TRUE(IsCaseManagerRunning());
  EXPECT_TRUE(sibling.child().terminate());
  EXPECT_EQ(sibling.exitWithin(10), 0u) << "SIGTERM ends it normally";
  EXPECT_FALSE(IsCaseManagerRunning());
}

TEST(Sibling, WithoutAWindowItNeverBecomesReadyButStillLogsItsStart) {
  Sibling sibling("qnreport", {"--no-window", "a"});
  EXPECT_FALSE(sibling.child().waitForInputIdle(700));
  EXPECT_EQ(sibling.child().exitCode(), qn::os::STILL_ACTIVE);
  EXPECT_TRUE(sibling.logged([](const json& e) { return e["event"] == "start" && e["args"] == json({"--no-window", "a"}); }));
  EXPECT_TRUE(sibling.child().terminate());
  EXPECT_EQ(sibling.exitWithin(10), 0u);
}

TEST(Sibling, ItEndsByItselfAfterTheTimeGiven) {
  Sibling sibling("qnclient", {"--exit-after", "300"});
  EXPECT_EQ(sibling.exitWithin(10), 0u);
}

TEST(Sibling, TheMainProgramAnswersAnAddCodeRequestWithItsCompletion) {
  Sibling sibling("qnsibling", {"--role", "main-program", "--answer-after", "200"});
  ASSERT_TRUE(sibling.child().waitForInputIdle(10000));
  qn::os::MessageBus bus;
  std::vector<std::string> heard;
  bus.registerWindow("TCaseF", "test", 0, {[&](const qn::os::WindowMessage& m) { heard.push_back(m.name); }, nullptr});
  const auto sentAt = std::chrono::steady_clock::now();
  bus.broadcast("QN_Message_AddDept", 0, 0);
  const bool answered = within(10, [&] {
    pollfd p{bus.fd(), POLLIN, 0};
    if (::poll(&p, 1, 20) > 0) bus.dispatchPending();
    return std::find(heard.begin(), heard.end(), "QN_Message_AddDept_Complete") != heard.end();
  });
  EXPECT_TRUE(answered);
  EXPECT_GE(std::chrono::steady_clock::now() - sentAt, std::chrono::milliseconds(200)) << "not before the delay";
  EXPECT_TRUE(sibling.logged([](const json& e) { return e["name"] == "QN_Message_AddDept"; }));
}

TEST(Sibling, AnUnknownRoleOrOptionIsRefusedWithTheUsage) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--role", "mail"}, {"--exit-after", "soon"}, {}}) {
    const auto run = runTool("qnsibling", args);
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_NE(run.output.find("usage: qnsibling"), std::string::npos);
  }
}

}  // namespace
