#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/DataModule.h"
#include "framework/base/Exception.h"

namespace {

using Log = std::vector<std::string>;

// Installs an exception hook for one test, restoring the previous one after.
struct ExceptionHookScope {
  Log reported;
  ExceptionHook previous;
  ExceptionHookScope() {
    previous = SetExceptionHook([this](TObject* sender) {
      try {
        throw;
      } catch (const std::exception& e) {
        reported.push_back(std::string(e.what()) + " from " + (sender ? sender->ClassName() : "nobody"));
      }
    });
  }
  ~ExceptionHookScope() { SetExceptionHook(previous); }
};

TEST(DataModule, CreateErrorPassesOnWithoutHookAndIsReportedWithOne) {
  struct TFailingModule : TDataModule {
    explicit TFailingModule(TComponent* owner) : TDataModule(owner) {
      OnCreate = [](TObject*) { throw std::runtime_error("Unable to open the registry at this time."); };
    }
  };
  auto* failing = new TFailingModule(nullptr);
  EXPECT_THROW(failing->AfterConstruction(), std::runtime_error);
  delete failing;

  ExceptionHookScope hook;
  failing = new TFailingModule(nullptr);
  failing->AfterConstruction();
  EXPECT_EQ(hook.reported, Log{"Unable to open the registry at this time. from TDataModule"});
  delete failing;
}

TEST(DataModule, DestroyErrorIsReportedAndTheDestructionCompletes) {
  ExceptionHookScope hook;
  auto* owner = new TComponent(nullptr);
  auto* module = new TDataModule(owner);
  module->OnDestroy = [](TObject*) { throw std::runtime_error("cannot close"); };
  delete module;
  EXPECT_EQ(owner->ComponentCount(), 0);
  EXPECT_EQ(hook.reported, Log{"cannot close from TDataModule"});
  delete owner;
}

TEST(ApplicationHooks, ProcessMessagesDoesNothingUntilAHookIsInstalled) {
  ProcessPendingMessages();
  int processed = 0;
  ProcessMessagesHook previous = SetProcessMessagesHook([&] { ++processed; });
  ProcessPendingMessages();
  ProcessPendingMessages();
  SetProcessMessagesHook(previous);
  ProcessPendingMessages();
  EXPECT_EQ(processed, 2);
}

TEST(ApplicationHooks, WithoutHookAReportGoesToStandardErrorExceptASilentAbort) {
  auto report = [](auto exception) {
    ::testing::internal::CaptureStderr();
    try {
      throw exception;
    } catch (...) {
      HandleApplicationException(nullptr);
    }
    return ::testing::internal::GetCapturedStderr();
  };
  EXPECT_EQ(report(std::runtime_error("Btrieve Status 2")), "Btrieve Status 2\n");
  EXPECT_EQ(report(Exception("A record lock was encountered.")), "A record lock was encountered.\n");
  EXPECT_EQ(report(EAbort("Record not saved")), "");
}

}  // namespace
