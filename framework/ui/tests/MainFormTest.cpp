#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/base/ApplicationHooks.h"
#include "framework/base/DataModule.h"
#include "framework/base/Exception.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"

namespace {

using Log = std::vector<std::string>;

// A form of the program.
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

TEST(DataModule, CreateErrorIsShownAndTheModuleStays) {
  TApplication application(nullptr);
  struct TFailingModule : TDataModule {
    explicit TFailingModule(TComponent* owner) : TDataModule(owner) {
      OnCreate = [](TObject*) { throw std::runtime_error("Unable to open the registry at this time."); };
    }
  };
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "Unable to open the registry at this time.");
  TFailingModule* failing = nullptr;
  application.CreateForm(failing);
  EXPECT_NE(failing, nullptr);
  EXPECT_EQ(application.ComponentCount(), 1);
}

}  // namespace

namespace {

TEST(Application, TheTestMainHasStartedTheApplicationUnit) {
  ASSERT_NE(Application, nullptr) << "the application unit starts before every test";
  EXPECT_EQ(Application->MainForm(), nullptr);
}

}  // namespace
