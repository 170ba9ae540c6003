// The main block's creation of its forms by class name, on test classes registered under the
// program's names (this test program links none of the real forms).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/MainBlock.h"
#include "app/SingleInstance.h"
#include "app/StartupForms.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/FormVariables.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/tests/ChildProgram.h"

namespace {

std::vector<AnsiString>& creations() {
  static std::vector<AnsiString> log;
  return log;
}

class TStartupTestForm : public TForm {
  QN_CLASS(TStartupTestForm, TForm)
 public:
  explicit TStartupTestForm(TComponent* AOwner) : TForm(AOwner) {}
  void AfterConstruction() override {
    TForm::AfterConstruction();
    creations().push_back(ClassName());
  }
};

#define STARTUP_TEST_FORM(Name)                                   \
  class Name : public TStartupTestForm {                          \
    QN_CLASS(Name, TStartupTestForm)                              \
   public:                                                        \
    explicit Name(TComponent* AOwner) : TStartupTestForm(AOwner) {} \
  };

STARTUP_TEST_FORM(TCaseF)
STARTUP_TEST_FORM(TDM)
STARTUP_TEST_FORM(TDM2)
STARTUP_TEST_FORM(TCaseMiscF)
STARTUP_TEST_FORM(TClientCaseLookF1)
STARTUP_TEST_FORM(TCaType2F)
STARTUP_TEST_FORM(TCaType1F)
STARTUP_TEST_FORM(TDepartmentF)
STARTUP_TEST_FORM(TFCSalesTaxF)
STARTUP_TEST_FORM(TRA2F)
STARTUP_TEST_FORM(TRA1F)
STARTUP_TEST_FORM(TCaseDescriptionF)
STARTUP_TEST_FORM(TBillingBoxF)
STARTUP_TEST_FORM(TMemoF)
STARTUP_TEST_FORM(TFindDlgF)
STARTUP_TEST_FORM(TUndeleteF)
STARTUP_TEST_FORM(TPasteF)
STARTUP_TEST_FORM(TMonthF)
STARTUP_TEST_FORM(TNotesF)
STARTUP_TEST_FORM(TMNGRSelF)
STARTUP_TEST_FORM(TdcRecordViewForm)
STARTUP_TEST_FORM(TDirBrowserForm)
STARTUP_TEST_FORM(TPrntDefF)
STARTUP_TEST_FORM(TNarrDscF)
STARTUP_TEST_FORM(TEBF2F)
STARTUP_TEST_FORM(TEBFModF)
STARTUP_TEST_FORM(TReAllocF)
STARTUP_TEST_FORM(TOptFieldsF)
STARTUP_TEST_FORM(TPermDelF)

// Its creation handler fails, as a form whose tables cannot open does.
class TFailingStartupF : public TStartupTestForm {
  QN_CLASS(TFailingStartupF, TStartupTestForm)
 public:
  explicit TFailingStartupF(TComponent* AOwner) : TStartupTestForm(AOwner) {}
  void AfterConstruction() override { throw Exception("The case file cannot be opened."); }
};

TCaseF* CaseF = nullptr;

void registerAllNames() {
  RegisterClass<TCaseF>(), RegisterClass<TDM>(), RegisterClass<TDM2>(), RegisterClass<TCaseMiscF>();
  RegisterClass<TClientCaseLookF1>(), RegisterClass<TCaType2F>(), RegisterClass<TCaType1F>();
  RegisterClass<TDepartmentF>(), RegisterClass<TFCSalesTaxF>(), RegisterClass<TRA2F>(), RegisterClass<TRA1F>();
  RegisterClass<TCaseDescriptionF>(), RegisterClass<TBillingBoxF>(), RegisterClass<TMemoF>();
  RegisterClass<TFindDlgF>(), RegisterClass<TUndeleteF>(), RegisterClass<TPasteF>(), RegisterClass<TMonthF>();
  RegisterClass<TNotesF>(), RegisterClass<TMNGRSelF>(), RegisterClass<TdcRecordViewForm>();
  RegisterClass<TDirBrowserForm>(), RegisterClass<TPrntDefF>(), RegisterClass<TNarrDscF>(), RegisterClass<TEBF2F>();
  RegisterClass<TEBFModF>(), RegisterClass<TReAllocF>(), RegisterClass<TOptFieldsF>(), RegisterClass<TPermDelF>();
}

class StartupFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qn::ui::testing::qtApplication();
    registerAllNames();
    RegisterClass<TFailingStartupF>();
    creations().clear();
  }
  void TearDown() override {
    for (TComponent* form : made) delete form;
    SingleInstanceProgramHMutex.reset();
  }
  std::vector<TComponent*> made;
};

TEST_F(StartupFormsTest, FormsAreCreatedInTheProgramsOrderWithTheMainWindowFirst) {
  ASSERT_EQ(StartupFormClassNames().size(), 29u);
  std::ostringstream skipped;
  made = CreateStartupForms(*Application, StartupFormClassNames(), skipped);
  EXPECT_EQ(creations(), StartupFormClassNames());
  EXPECT_EQ(skipped.str(), "");
  ASSERT_EQ(made.size(), 29u);
  EXPECT_EQ(Application->MainForm(), made.front());
  EXPECT_EQ(made.front()->ClassName(), "TCaseF");
  for (TComponent* form : made) EXPECT_EQ(form->Owner(), Application);
}

TEST_F(StartupFormsTest, FormVariableIsSetBeforeTheCreationHandlersRun) {
  AnsiString seenInHandler = "not run";
  RegisterFormVariable("TCaseMiscF", [&](TComponent*) {
    seenInHandler = creations().empty() || creations().back() != "TCaseMiscF" ? "before" : "after";
  });
  RegisterFormVariable(CaseF);
  std::ostringstream skipped;
  made = CreateStartupForms(*Application, {"TCaseF", "TCaseMiscF"}, skipped);
  EXPECT_EQ(CaseF, made.front());
  EXPECT_EQ(seenInHandler, "before");
  RegisterFormVariable("TCaseMiscF", [](TComponent*) {});
}

TEST_F(StartupFormsTest, NamesWithoutARegisteredClassAreSkippedAndNamedOnce) {
  std::ostringstream skipped;
  made = CreateStartupForms(*Application, {"TCaseF", "TNotBuiltYetF", "TDM"}, skipped);
  EXPECT_EQ(creations(), (std::vector<AnsiString>{"TCaseF", "TDM"}));
  const std::string text = skipped.str();
  EXPECT_NE(text.find("TNotBuiltYetF"), std::string::npos);
  EXPECT_EQ(text.find("TNotBuiltYetF"), text.rfind("TNotBuiltYetF"));
  EXPECT_EQ(text.find("TCaseF"), std::string::npos);
}

TEST_F(StartupFormsTest, AFailingCreationIsReportedAndTheMutexIsReleasedForTheNextStart) {
  SingleInstanceProgramHMutex = std::make_unique<qn::os::NamedMutex>("StartupFormsTestMutex");
  ASSERT_EQ(SingleInstanceProgramHMutex->wait(0), qn::os::WaitResult::Acquired);
  std::ostringstream errors;
  {
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "The case file cannot be opened.");
    EXPECT_FALSE(StartMainBlock(errors, {"TCaseF", "TFailingStartupF", "TDM"}));
  }
  EXPECT_NE(errors.str().find("The case file cannot be opened."), std::string::npos);
  EXPECT_EQ(creations(), (std::vector<AnsiString>{"TCaseF"})) << "nothing after the failure is created";
  EXPECT_EQ(SingleInstanceProgramHMutex, nullptr);
  // Another process waiting for the mutex gets it at once.
  auto child = qn::os::testing::startChild({"mutex-try", "StartupFormsTestMutex", "0"});
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(qn::os::testing::waitForExit(*child), 0u);
  made = {Application->MainForm()};
}

TEST_F(StartupFormsTest, StartingSetsTheApplicationTitleAndHelpFile) {
  std::ostringstream errors;
  ASSERT_TRUE(StartMainBlock(errors, {"TCaseF"}));
  EXPECT_EQ(Application->Title(), " ");
  EXPECT_EQ(Application->HelpFile(), "QNW.hlp");
  auto* main = dynamic_cast<TForm*>(Application->MainForm());
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(main->hasWindow()) << "the next start-up's search needs the main window's window";
  made = {main};
}

}  // namespace
