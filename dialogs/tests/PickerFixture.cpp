#include "dialogs/tests/PickerFixture.h"

#include <QTest>
#include <QWidget>

#include "core/Globals.h"
#include "core/RecordFiles.h"
#include "core/TransactionEntry.h"
#include "dialogs/CodeLookF.h"
#include "dialogs/MemoF.h"
#include "dialogs/NarrativeCodes.h"
#include "framework/ui/Application.h"
#include "framework/ui/Messages.h"

namespace dialogs_test {
namespace {

std::string code(const char* type, const char* code, const char* description, const char* transactionType = "") {
  return std::string("type code = ") + type + "\ncode = " + code + "\nDescription = " + description +
         "\ntransaction type = \"" + (*transactionType ? transactionType : " ") + "\"\n\n";
}

std::string employee(const char* code, const char* last, const char* first, const char* unassigned) {
  return std::string("Employee Code = ") + code + "\nEmployee Last Name = " + last +
         (*first ? std::string("\nEmployee First Name = ") + first : std::string()) + "\nUnassigned = \"" +
         unassigned + "\"\n\n";
}

}  // namespace

HostWindow::HostWindow(TComponent* AOwner) : TForm(AOwner) {
  SetName("HostWindow");
  SetTag(100);
  SetBounds(20, 20, 900, 400);
}

void HostWindow::WndProc(TMessage& Message) {
  if (Message.Msg == 0x0400 + 100) {
    Asked.push_back(Message.LParam);
    Message.Result = Answer;
    return;
  }
  TForm::WndProc(Message);
}

std::map<std::string, std::string> PickerFixture::seedFiles() const {
  auto files = CaseDataFixture::seedFiles();
  files["YTable.qf"] = code("D", "AB", "Upper AB") + code("D", "Ab", "Mixed Ab") + code("D", "ab", "Lower ab") +
                       code("A", "AB", "Case type AB") + code("D", "XY", "Only upper XY") +
                       code("N", "C", "court appearance.", "F") + code("N", "AB", "met with client", "F") +
                       code("T", "T100", "Litigation task") + code("K", "A101", "Plan and prepare") +
                       code("K", "A102", "Research") + code("E", "E101", "Copying");
  files["YEmpl.qf"] = employee("E1", "Smith", "", "") + employee("E2", "Jones", "Anna", "") +
                      employee("E8", "Left", "Lucy", "N") + employee("E9", "Gone", "Gary", "N     ");
  return files;
}

void PickerFixture::SetUp() {
  CaseDataFixture::SetUp();
  RecordFileDir = dataDir;
  InactiveEmployeeCodes.clear();
  InactiveEmployeeNames.clear();
  host = std::make_unique<HostWindow>(nullptr);
  previousMainForm = Application->MainForm();
  Application->SetMainForm(host.get());
  host->Show();
  host->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(host->Window()));
}

void PickerFixture::TearDown() {
  Application->SetMainForm(previousMainForm);
  host.reset();
  CloseAllRecordFiles();
  for (bool* flag : {&MatterLoaded, &HeaderEditsShown, &CalendarParameter, &DescriptionExpanded, &NarrativeViewOnly,
                     &NarrativeListBuilt, &CodeTablesOpenFailed})
    *flag = false;
  NarrativeList.clear();
  UnexpandedDescription.clear();
  PreviousDescription.clear();
  BillableFields = {};
  TransactionEntry = {};
  InactiveEmployeeCodes.clear();
  InactiveEmployeeNames.clear();
  CodeLookDropDownCount = -1;
  RecordFileDir.clear();
  FormSizeOption = 0;
  CaseDataFixture::TearDown();
}

void PickerFixture::dock(TForm* form, int top) {
  form->SetParent(host.get());
  form->SetTop(top);
  form->Show();
}

}  // namespace dialogs_test
