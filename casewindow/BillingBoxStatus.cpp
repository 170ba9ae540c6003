// The two billing status codes: which may be typed, when a matter may be closed, and the fee
// split a dummy or receptor status asks for.
#include <cmath>

#include "casewindow/BillingBoxF.h"
#include "casewindow/CaseSaveFlags.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "datagrid/DcTbTable.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DBEdit.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

const AnsiString TBillingBoxF::Status1Help =
    "Allowable Case Billing Status 1 values are:\r\r"
    "<blank>\tBill all transaction types\r"
    "C\tHold costs, bill fees, bill balance forward\r"
    "D\tHold costs, bill fees on threshhold\r"
    "F\tHold fees, bill costs, bill balance forward\r"
    "G\tHold fees, bill costs on threshhold\r"
    "H\tHold everything including balance forward\r"
    "I\tHold current fees and costs, bill balance forward\r"
    "P\tPrevent entry of anything except payments and adjustments\r"
    "R\tHold trust activity only\r"
    "T\tBill fees and costs when combined total reaches threshhold\r"
    "U\tBill fees and costs when fees alone reach threshhold\r"
    "V\tBill fees on threshhold, bill costs regardless of their value\r"
    "X\tCase closed, prevents entry of any transactions";

const AnsiString TBillingBoxF::Status2Help =
    "Allowable Case Billing Status 2 values are:\r\r"
    "<blank>\tNone of the following apply\r"
    "C\tCONTINGENCY case\r"
    "F\tFROZEN case - no transactions may be entered\r"
    "N\tNON-BILLABLE case - entered activity automatically\r\twritten down to zero\r"
    "D\tDUMMY case - the case used to store transactions that\r\tare to be shared among multiple Receptors (fee "
    "splitting)\r"
    "R\tRECEPTOR case - the other half of the fee splitting relationship";

namespace {

constexpr int kFileRightClose = 5;
const AnsiString kStatus1Codes = " CDFGHIPRTUVX";
// Blank, then the codes a Tab leaves at once, then the two of the fee split.
const AnsiString kStatus2Codes = " CFNDR";
const AnsiString kContact = "\r\rPlease contact Vantor, Inc. for assistance.";
const AnsiString kReopenReceptors = "Do you wish to simultaneously open any closed receptors for this dummy case?";

AnsiString caseField(const char* name) { return DM->Case1_->FieldByName(name)->AsString(); }

// An amount of the matter in cents, so that sums of two amounts compare exactly.
long long cents(const char* name) { return std::llround(DM->Case1_->FieldByName(name)->AsFloat() * 100); }

bool isDummy() { return Trim(caseField("Case Status 2")) == "D"; }

// A status code as compared: upper case, blank for an empty edit.
AnsiString codeOf(const AnsiString& typed) {
  const AnsiString text = UpperCase(Trim(typed));
  return text.empty() ? AnsiString(" ") : text;
}

bool askWarning(const AnsiString& text) {
  return MessageDlg(text, mtWarning, {mbYes, mbNo}, 0) == mrYes;
}

}  // namespace

void TBillingBoxF::showHelp(TdcDBEdit* edit, const AnsiString& help) {
  ShowInformationBox(help);
  edit->SelectAll();
}

void TBillingBoxF::BillingStatus1KeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (Key == VK_F1 && !Shift.Contains(ssShift)) showHelp(BillingStatus1, Status1Help);
  else Status1BeforeKey = BillingStatus1->Text();
}

void TBillingBoxF::BillingStatus2KeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (Key == VK_F1 && !Shift.Contains(ssShift)) showHelp(BillingStatus2, Status2Help);
  else Status2BeforeKey = BillingStatus2->Text();
}

void TBillingBoxF::askToReopenReceptors() {
  if (Trim(Status1BeforeKey) == "X" && isDummy() && AskYesNo(kReopenReceptors)) ApplyToReceptorsRequested = true;
}

bool TBillingBoxF::mayClose() {
  if (ActiveFileRights[kFileRightClose] != "Y") {
    ShowInformationBox("Sorry, you don't have access to this function.");
    return false;
  }
  if (cents("CTD Trust Credits") + cents("CTD Trust Debits") != 0) {
    ShowInformationBox("A trust balance exists for this case.\rIt may not be closed at this time." + kContact);
    return false;
  }
  if (cents("CTD Ret Payments") - cents("CTD Ret Transfers") != 0) {
    ShowInformationBox("A retainer balance exists for this case.\rIt may not be closed at this time." + kContact);
    return false;
  }
  if (DM->CaseHasCurrentBill("", "", true)) {
    ShowInformationBox("A receivable exists for this matter.\rIt may not be closed at this time.");
    return false;
  }
  if (DM->CaseHasCurrentFee("", "", true)) {
    ShowInformationBox("Current period activity exists for this matter.\rIt may not be closed at this time.");
    return false;
  }
  bool openFound = false;
  if (isDummy() && DummyHasReceptors(openFound) && openFound) {
    ShowInformationBox(
        "This is a dummy matter.  All of this matter's receptors must be closed before it can be closed.");
    return false;
  }
  return true;
}

bool TBillingBoxF::status1KeyAllowed(char key) {
  const char code = UpperCase(AnsiString(1, key))[0];
  if (kStatus1Codes.find(code) == AnsiString::npos) {
    // A control key after a closed code reopens the matter.
    if (Trim(AnsiString(1, key)).empty() && Trim(Status1BeforeKey) == "X") {
      askToReopenReceptors();
      return true;
    }
    if (key == '\b') return true;
    showHelp(BillingStatus1, Status1Help);
    return false;
  }
  if (code == 'P' && DM->CaseHasCurrentFee("", "", true)) {
    ShowInformationBox(
        "Current period activity exists for this matter.\rA Status Code of 'P' is not valid." + kContact);
    return false;
  }
  if (code == 'X') {
    if (!mayClose()) return false;
    if (DateClosed->Text().empty()) DateClosed->SetDate(SystemDate);
  } else if (code == ' ') {
    askToReopenReceptors();
  }
  qn::ui::postKeyStroke(VK_TAB);
  return true;
}

void TBillingBoxF::BillingStatus1KeyPress(TObject*, char& Key) {
  ApplyToReceptorsRequested = false;
  if (!status1KeyAllowed(Key)) Key = 0;
}

// Typed codes only: a matter shown on the screen keeps its dates as they are.
void TBillingBoxF::BillingStatus1Change(TObject*) {
  if (BillingStatus1->Modified() && codeOf(BillingStatus1->Text()) == "P" && DateClosed->Text().empty()) DateClosed->SetDate(SystemDate);
}

void TBillingBoxF::BillingStatus2Change(TObject*) {
  if (!MatterLoaded || Screen->ActiveControl() != BillingStatus2) return;
  // A text set by the program (another matter shown, a refused code put back) is no change.
  if (!BillingStatus2->Modified() || BillingStatus2->Text() == Status2BeforeKey) return;
  const AnsiString before = codeOf(Status2BeforeKey), now = codeOf(BillingStatus2->Text());
  const std::size_t at = now.size() == 1 ? kStatus2Codes.find(now[0]) : AnsiString::npos;
  if (at == AnsiString::npos) {
    showHelp(BillingStatus2, Status2Help);
    return;
  }
  const bool tabbed = at < kStatus2Codes.find('D');
  if (tabbed) qn::ui::postKeyStroke(VK_TAB);
  const auto restore = [this] { BillingStatus2->SetText(Status2BeforeKey); };
  if (before == "D") {
    bool existenceOnly = true;
    if (DummyHasReceptors(existenceOnly)) {
      ShowWarningBox(
          "One or more Receptors exist for this Dummy.\rThey must be removed before this matter's\rDummy status can "
          "be removed.\r\rClick on the Fee Split button to delete the\rreceptors, then try this operation again.");
      restore();
    } else if (now == "R") {
      OpenFeeSplitForStatus();
    }
  } else if (before == "R") {
    // A receptor row that could not be removed keeps the matter a receptor.
    if (!askWarning("Are you sure you want to remove this\rmatter's status as a Receptor?") ||
        !DeleteReceptorSplit()) {
      restore();
      return;
    }
    if (now == "D") OpenFeeSplitForStatus();
    if (!tabbed) qn::ui::postKeyStroke(VK_TAB);
  } else if (now == "R" || (now == "D" && before == " ")) {
    OpenFeeSplitForStatus();
  } else if (now == "D" && AnsiString("CFN").find(before[0]) != AnsiString::npos) {
    const AnsiString words = "Contingency Frozen      Non-Billable";
    const AnsiString word = Trim(words.substr(AnsiString("CFN").find(before[0]) * 12, 12));
    if (askWarning("Assigning this matter the status of Dummy\rwill remove its status as a " + word + " matter." +
                   "\r\r" + "Do you wish to continue?"))
      OpenFeeSplitForStatus();
    else
      restore();
  }
}
