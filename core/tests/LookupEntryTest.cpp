// A code typed beside a lookup combo, checked against its code table under each validation letter.
#include "core/LookupEntry.h"

#include <gtest/gtest.h>

#include <QTest>
#include <optional>

#include "core/AddCodeMessages.h"
#include "core/Globals.h"
#include "core/LayoutFields.h"
#include "core/tests/DataModuleFixture.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Button.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/AtomTable.h"
#include "platform/os/WindowRegistry.h"
#include "platform/os/tests/ChildProgram.h"
#include "testing/TestDirs.h"

namespace {

using core_test::DataModuleFixture;
using qn::ui::testing::qtApplication;
using qn::ui::testing::ScriptedMessageBoxes;

const AnsiString Required = "A valid entry is required.";
const AnsiString AddQuestion = "Do you wish to add this code now?";

class LookupEntry : public DataModuleFixture {
 protected:
  void SetUp() override {
    DataModuleFixture::SetUp();
    qtApplication();
    employees = codeTable("yempl.qf;RES:EMP", "1", {"Employee Last Name", "Employee Code"});
    edit->SetName("DeptEdit");
    combo->SetName("DeptCombo");
  }
  void TearDown() override {
    SecurityActive = false;
    InactiveEmployeeCodes.clear();
    InactiveEmployeeNames.clear();
    PermittedEmployeeCodes.Fill("");
    CurrentCodeValidation = "";
    delete employees;
    DataModuleFixture::TearDown();
  }
  TdcTbTable* codeTable(const AnsiString& file, const AnsiString& index, const std::vector<AnsiString>& fields) {
    auto* table = new TdcTbTable(nullptr);
    table->SetDatabaseName("QNWIN");
    DeclareLayoutFields(table, fields);
    table->SetTableName(dataDir + "\\" + file);
    table->Open();
    table->SetIndexName(index);
    return table;
  }
  bool validate(const AnsiString& validation, const AnsiString& text, TdcTbTable* table) {
    CurrentCodeValidation = validation;
    edit->SetText(text);
    return ValidateLookupEntry(edit.get(), combo.get(), table, nullptr);
  }

  TdcTbTable* employees = nullptr;
  std::unique_ptr<TEdit> edit = std::make_unique<TEdit>(nullptr);
  std::unique_ptr<TEdit> combo = std::make_unique<TEdit>(nullptr);
};

struct Box {
  TMsgDlgType kind;
  AnsiString text;
};

struct Case {
  const char* validation;
  const char* text;
  const char* combo;
  std::optional<Box> box;
  bool answer;
};

TEST_F(LookupEntry, EachValidationLetterAcceptsOrRefusesEachKindOfEntry) {
  const Case cases[] = {
      {"R", "", "", Box{mtWarning, Required}, false},
      {"N", "", "", std::nullopt, true},
      {"Y", "", "", std::nullopt, true},
      {"R", "E1", "Smith", std::nullopt, true},
      {"N", "E1", "Smith", std::nullopt, true},
      {"Y", "E2", "Jones", std::nullopt, true},
      // The table's code is upper case.
      {"N", "e1", "NOT FOUND", Box{mtConfirmation, AddQuestion}, true},
      {"R", "e1", "", Box{mtWarning, Required}, false},
      {"Y", "e1", "", Box{mtWarning, Required}, false},
      {"N", "ZZ", "NOT FOUND", Box{mtConfirmation, AddQuestion}, true},
      {"R", "ZZ", "", Box{mtWarning, Required}, false},
      {"Y", "ZZ", "", Box{mtWarning, Required}, false},
  };
  edit->SetTag(310);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.validation) + " '" + c.text + "'");
    ScriptedMessageBoxes boxes;
    if (c.box) boxes.expect(c.box->kind, c.box->text, c.box->kind == mtConfirmation ? mrNo : mrOk);
    EXPECT_EQ(validate(c.validation, c.text, employees), c.answer);
    EXPECT_EQ(combo->Text(), c.combo);
  }
}

// The department codes of the data module search a key that ignores case: a code typed in
// another case lands on the first code equal but for case, and the scan finds the exact one.
TEST_F(LookupEntry, ACodeTableIgnoringCaseFindsTheCodeTypedExactly) {
  ASSERT_TRUE(dm->ActivateCodeTables());
  TdcTbTable* departments = dm->DeptCodes1_;
  ASSERT_EQ(departments->IndexName(), "5");
  departments->Append();
  departments->FieldByName("type code")->SetAsString("D");
  departments->FieldByName("code")->SetAsString("d1");
  departments->FieldByName("Description")->SetAsString("Lower-case litigation");
  departments->Post();
  const Case cases[] = {
      {"R", "D1", "Litigation  (D1)", std::nullopt, true},
      {"R", "d1", "Lower-case litigation  (d1)", std::nullopt, true},
      {"N", "D2", "Estates  (D2)", std::nullopt, true},
      // Found but for case, and no code is exactly "d2".
      {"N", "d2", "NOT FOUND", Box{mtConfirmation, AddQuestion}, true},
      {"R", "d2", "", Box{mtWarning, Required}, false},
      {"N", "D9", "NOT FOUND", Box{mtConfirmation, AddQuestion}, true},
  };
  edit->SetTag(310);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.validation) + " '" + c.text + "'");
    ScriptedMessageBoxes boxes;
    if (c.box) boxes.expect(c.box->kind, c.box->text, c.box->kind == mtConfirmation ? mrNo : mrOk);
    EXPECT_EQ(validate(c.validation, c.text, departments), c.answer);
    EXPECT_EQ(combo->Text(), c.combo);
  }
}

TEST_F(LookupEntry, TheEmployeeBoxRefusesInactiveAndForbiddenEmployees) {
  edit->SetName("CCACode");
  InactiveEmployeeCodes = {"E9"};
  InactiveEmployeeNames = {"Gone, Old"};
  SecurityActive = true;
  PermittedEmployeeCodes[3] = "E2  ";
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtError, "The employee you have entered is currently inactive.");
    EXPECT_FALSE(validate("N", "E9", employees));
    EXPECT_EQ(combo->Text(), "Gone, Old");
  }
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "Your security rights do not allow you to enter transactions for E1");
    EXPECT_FALSE(validate("N", "E1", employees));
  }
  {
    ScriptedMessageBoxes boxes;
    EXPECT_TRUE(validate("R", "E2", employees));
    EXPECT_EQ(combo->Text(), "Jones");
  }
}

TEST_F(LookupEntry, AnEmployeeEntryMustBeTheTablesCurrentPermittedEmployee) {
  TdcTbTable* byCode = codeTable("yempl.qf;RES:EMP", "1", {"Employee Code", "Employee Last Name"});
  byCode->First();  // E1, Smith
  combo->SetName("CCACode");
  const auto check = [&](const char* validation, const char* text, bool tell) {
    CurrentCodeValidation = validation;
    edit->SetText(text);
    return ValidateEmployeeEntry(edit.get(), combo.get(), byCode, tell, "attorney");
  };
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, Required);
    EXPECT_FALSE(check("R", " ", true));
    EXPECT_TRUE(check("N", "", true));
    EXPECT_TRUE(check("N", "E1 ", true));
    EXPECT_EQ(combo->Text(), "Smith");
  }
  {
    ScriptedMessageBoxes boxes;
    boxes.expect(mtWarning, "No such attorney or employee inactive.  Please select from list.");
    EXPECT_FALSE(check("N", "E2", true));
    EXPECT_FALSE(check("N", "E2", false));
  }
  {
    SecurityActive = true;
    PermittedEmployeeCodes[1] = "E2";
    ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "Your security rights do not allow you to enter transactions for E1");
    EXPECT_FALSE(check("N", "E1", true));
    PermittedEmployeeCodes[2] = "E1";
    EXPECT_TRUE(check("N", "E1", true));
  }
  delete byCode;
}

TEST_F(LookupEntry, EmployeeRightsCompareTrimmedCodesExactlyAndAllowTheEmptyCode) {
  PermittedEmployeeCodes[15] = " E2 ";
  EXPECT_TRUE(IsEmployeeAllowed("E2"));
  EXPECT_TRUE(IsEmployeeAllowed("  "));
  EXPECT_FALSE(IsEmployeeAllowed("e2"));
  EXPECT_FALSE(IsEmployeeAllowed("E1"));
}

TEST_F(LookupEntry, TagsThatCannotAddACodeNeverAsk) {
  for (int tag : {610, 710, 810}) {
    edit->SetTag(tag);
    ScriptedMessageBoxes boxes;
    EXPECT_TRUE(validate("N", "ZZ", employees)) << tag;
    EXPECT_EQ(combo->Text(), "NOT FOUND");
  }
}

TEST_F(LookupEntry, NoQuestionWhileTheSaveButtonIsTheActiveControl) {
  TForm form(nullptr);
  form.SetBounds(100, 100, 300, 200);
  auto* save = new TButton(&form);
  save->SetName("SaveBitBtn");
  save->SetParent(&form);
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.Window()));
  save->SetFocus();
  ASSERT_EQ(Screen->ActiveControl(), save);
  edit->SetTag(310);
  ScriptedMessageBoxes boxes;
  EXPECT_TRUE(validate("N", "ZZ", employees));
  EXPECT_EQ(combo->Text(), "NOT FOUND");
}

TEST_F(LookupEntry, AnsweringYesAsksTheMainProgramToAddTheStatementMessage) {
  Application->Initialize();
  RegisterAddCodeMessages();
  const std::string record = qn::testing::makeScratchDir("add-code-request") + "/record";
  auto main = qn::os::testing::startChild({"window", "TQnlMainF", "Quillon Main", record});
  ASSERT_TRUE(main);
  ASSERT_TRUE(qn::os::testing::waitForLine(record, "placement - - -"));
  for (int i = 0; i < 100 && !qn::os::windowRegistry::find("TQnlMainF", "Quillon Main"); ++i) QTest::qWait(50);
  edit->SetTag(1010);
  ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, AddQuestion, mrYes);
  EXPECT_FALSE(validate("N", "ZZ", employees));
  const std::string command = "Sending message to QnlMain: Add Statement message code";
  const qn::os::Atom atom = qn::os::addAtom(command);
  EXPECT_EQ(qn::os::atomName(atom), command);
  EXPECT_TRUE(qn::os::testing::waitForLine(
      record, "message QN_Message_AddStmtmsg " + std::to_string(QN_Message_AddStmtmsg) + " " +
                  std::to_string(Application->Handle()) + " " + std::to_string(atom) + " " + command));
  qn::os::testing::killChild(*main);
}

}  // namespace
