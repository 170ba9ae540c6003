#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/base/Application.h"
#include "framework/base/DataModule.h"
#include "framework/base/Exception.h"

namespace {

using Log = std::vector<std::string>;

// Stand-ins for the user-interface layer's form class and a form of the program.
class TForm : public TComponent {
  QN_CLASS(TForm, TComponent)
 public:
  using TComponent::TComponent;
};
class TMainWindowForm : public TForm {
  QN_CLASS(TMainWindowForm, TForm)
 public:
  explicit TMainWindowForm(TComponent* owner) : TForm(owner) { SetName("Form1"); }
};

class TLogModule : public TDataModule {
  QN_CLASS(TLogModule, TDataModule)
 public:
  static inline Log* log = nullptr;
  explicit TLogModule(TComponent* owner) : TDataModule(owner) {
    SetName("DM");
    table = new TComponent(this);
    table->SetName("Case1");
    OnCreate = [this](TObject*) { log->push_back("create, owner " + Owner()->ClassName()); };
    OnDestroy = [this](TObject*) { log->push_back("destroy, still owns " + std::to_string(ComponentCount())); };
  }
  TComponent* table;
};

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

TEST(Application, FirstFormCreatedBecomesTheMainFormAndItsDeletionClearsIt) {
  Log log;
  TLogModule::log = &log;
  TApplication application(nullptr);
  EXPECT_EQ(application.MainForm(), nullptr);

  TLogModule* dm = nullptr;
  TMainWindowForm* caseF = nullptr;
  application.CreateForm(dm);  // a data module is no form
  application.CreateForm(caseF);
  EXPECT_EQ(log, Log{"create, owner TApplication"});
  EXPECT_EQ(application.MainForm(), caseF);
  EXPECT_EQ(application.MainForm()->Name(), "Form1");
  EXPECT_EQ(application.Components(0), dm) << "created in order";

  delete caseF;
  EXPECT_EQ(application.MainForm(), nullptr);

  log.clear();
  delete dm;
  EXPECT_EQ(log, Log{"destroy, still owns 1"}) << "OnDestroy runs before what the module owns goes";
}

TEST(Application, MainFormSetDirectlyIsClearedWhenItGoes) {
  TApplication application(nullptr);
  auto* form = new TComponent(nullptr);
  application.SetMainForm(form);
  delete form;
  EXPECT_EQ(application.MainForm(), nullptr);
}

TEST(DataModule, CreateErrorPassesOnWithoutHookAndIsReportedWithOne) {
  TApplication application(nullptr);
  struct TFailingModule : TDataModule {
    explicit TFailingModule(TComponent* owner) : TDataModule(owner) {
      OnCreate = [](TObject*) { throw std::runtime_error("Unable to open the registry at this time."); };
    }
  };
  TFailingModule* failing = nullptr;
  EXPECT_THROW(application.CreateForm(failing), std::runtime_error);
  EXPECT_EQ(failing, nullptr);
  EXPECT_EQ(application.ComponentCount(), 0);

  ExceptionHookScope hook;
  application.CreateForm(failing);
  EXPECT_NE(failing, nullptr);
  EXPECT_EQ(hook.reported, Log{"Unable to open the registry at this time. from TDataModule"});
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
  TApplication application(nullptr);
  application.ProcessMessages();
  int processed = 0;
  ProcessMessagesHook previous = SetProcessMessagesHook([&] { ++processed; });
  application.ProcessMessages();
  ProcessPendingMessages();
  SetProcessMessagesHook(previous);
  ProcessPendingMessages();
  EXPECT_EQ(processed, 2);
}

// Stands for the silent abort exception of the framework: known to the hook by its class name.
class EAbort : public Exception {
  QN_CLASS(EAbort, Exception)
 public:
  using Exception::Exception;
};

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
