#pragma once
// The main window on a demo made by qnseed in the test's own scratch folder: the machine root at
// the demo's root, message boxes scripted, the framework's clock manual, the screen 1024 x 768.
// Each test gives the command line and may change the demo's settings before the window starts.
// Test code only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "casewindow/CaseF.h"
#include "casewindow/CaseFStart.h"
#include "core/SettingKeys.h"
#include "core/tests/MachineRegistry.h"
#include "framework/base/Clock.h"
#include "framework/base/Locale.h"
#include "framework/ui/Application.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/ProgramArguments.h"
#include "testing/TestDirs.h"

namespace casewindow_test {

inline std::string testProgramFolder() { return qn::os::runningProgramFolder(); }

// Where the tests leave their pictures for a person to look at.
inline std::string imagePath(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(testProgramFolder()).parent_path() / "casewindow-images";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

class DemoStartFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    qn::setClock(&clock);
    ScreenFacts facts;
    qn::ui::setScreenFacts(facts);
    demo = qn::testing::makeScratchDir("casewindow-demo");
    const std::string command = "'" + testProgramFolder() + "/qnseed' demo '" + demo + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    setenv("QN_ROOT", (demo + "/root").c_str(), 1);
    boxes = std::make_unique<qn::ui::testing::ScriptedMessageBoxes>();
  }

  void TearDown() override {
    delete caseF;
    caseF = nullptr;
    boxes.reset();
    arguments.reset();
    qn::ui::setScreenFacts(std::nullopt);
    qn::setClock(nullptr);
  }

  // The command line from now on; the unit's start settings are read with it.
  void startWith(std::vector<std::string> args) {
    arguments.reset();
    arguments = std::make_unique<qn::os::ProgramArgumentsScope>(std::move(args));
    ReadMainWindowStartSettings();
  }

  // The main window created through the application object (its create handler runs).
  TCaseF* create() {
    Application->CreateForm(caseF);
    return caseF;
  }

  // Created and shown (its show handler runs).
  TCaseF* show() {
    if (!caseF) create();
    caseF->Show();
    return caseF;
  }

  void setHost(const AnsiString& name, const AnsiString& value) {
    core_test::writeMachineString(HostKey, name, value);
  }
  AnsiString host(const AnsiString& name) { return core_test::machineValue(HostKey, name); }

  std::string dataDir() const { return demo + "/data"; }

  // The program file as the program is named; its folder holds the libraries and qnseed.
  qn::os::ExecutablePathOverride executable{testProgramFolder() + "/qncases"};
  qn::ManualClock clock{1000, 45000.5};
  std::string demo;
  std::unique_ptr<qn::ui::testing::ScriptedMessageBoxes> boxes;
  std::unique_ptr<qn::os::ProgramArgumentsScope> arguments;
  TCaseF* caseF = nullptr;
};

}  // namespace casewindow_test
