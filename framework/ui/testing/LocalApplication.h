#pragma once
// A fresh application object put in place for one test, so a termination the test asks for ends
// with it and never reaches the tests after it in the same process.
#include "framework/ui/Application.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace qn::ui::testing {

class LocalApplication {
 public:
  LocalApplication() : program_(Application) {
    qtApplication();
    Application = &local_;
  }
  ~LocalApplication() { Application = program_; }
  LocalApplication(const LocalApplication&) = delete;
  LocalApplication& operator=(const LocalApplication&) = delete;

 private:
  TApplication* program_;
  TApplication local_{nullptr};
};

}  // namespace qn::ui::testing
