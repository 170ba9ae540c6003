#pragma once
// The main block started inside the test's own process, as the program's main starts it, on the
// demo the test program's main seeded, with the command line the test gives for the test's life.
// Test code only.
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/MainBlock.h"
#include "casewindow/CaseFStart.h"
#include "framework/ui/Application.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/ProgramArguments.h"

namespace demoprograms {

class MainBlockOnDemo {
 public:
  explicit MainBlockOnDemo(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {
    qn::ui::testing::qtApplication();
  }

  // The start settings read, the main block run and the idle work after it done; false, with the
  // block's account in errors(), when the block failed.
  bool start() {
    ReadMainWindowStartSettings();
    if (!StartMainBlock(errors_)) return false;
    Application->runUntilIdle();
    return true;
  }
  std::string errors() const { return errors_.str(); }

 private:
  qn::os::ProgramArgumentsScope arguments_;
  std::ostringstream errors_;
};

}  // namespace demoprograms
