#include <gtest/gtest.h>

#include "framework/ui/Command.h"
#include "framework/ui/testing/QtTestApplication.h"

namespace {

class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    program = std::exchange(Application, &application);
    command.List = &list;
    command.OnExecute = [this](TObject* sender) { seen.push_back(sender == &command ? "handler" : "?"); };
    list.OnExecute = [this](TComponent* sender, bool&) { seen.push_back(sender == &command ? "list" : "?"); };
    application.OnActionExecute = [this](TComponent* sender, bool& handled) {
      seen.push_back(sender == &command ? "hook" : "?");
      handled = hookHandles;
    };
  }
  void TearDown() override { Application = program; }

  TApplication application{nullptr};
  TApplication* program = nullptr;
  CommandList list{nullptr};
  Command command{nullptr};
  std::vector<std::string> seen;
  bool hookHandles = false;
};

TEST_F(CommandTest, ACommandReachesTheHookAndItsHandlerOnceEach) {
  EXPECT_TRUE(command.Execute());
  EXPECT_EQ(seen, (std::vector<std::string>{"list", "hook", "handler"}));
}

TEST_F(CommandTest, TheHookHandlingItKeepsTheHandlerFromRunning) {
  hookHandles = true;
  EXPECT_TRUE(command.Execute());
  EXPECT_EQ(seen, (std::vector<std::string>{"list", "hook"}));
}

TEST_F(CommandTest, ADisabledCommandRunsNothing) {
  command.Enabled = false;
  EXPECT_FALSE(command.Execute());
  EXPECT_TRUE(seen.empty());
}

}  // namespace
