// The workstation's audit trail: one record for every fee and transaction description deleted,
// written before the delete, so the main window can print what was changed.
#include "core/Constants.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "framework/base/Tick.h"
#include "framework/db/Field.h"
#include "platform/os/Files.h"

bool AuditTrailDisabled = false;
bool AuditTrailHasEntries = false;

namespace {

// The pause before the audit file is opened again, so a workstation that just let go of it is done.
constexpr std::uint32_t ReopenPause = 500;

const AnsiString RetryInstructions =
    "You may continue to attempt this operation by selecting 'RETRY',\r"
    "in which case this message will reappear after 5 seconds if\r"
    "Quillon is still unable to proceed.\r\r"
    "Selecting 'CANCEL' means that your changes will not be saved,\r"
    "but you may attempt to alter this transaction at a later time.";
const AnsiString FeeLockMessage =
    "Quillon is attempting to alter this transaction.\rIt appears to be in use at another workstation. \r\r" +
    RetryInstructions;
const AnsiString DescriptionLockMessage =
    "Quillon is attempting to alter or delete the descripton for\rthis transaction.  It appears to be in use at "
    "another workstation. \r\r" +
    RetryInstructions;

AnsiString auditFile() { return DataDir + "\\Tran" + WorkstationId + ".s"; }

void copyField(TDataSet* from, const char* fromName, TDataSet* to, const char* toName) {
  to->FieldByName(toName)->SetAsVariant(from->FieldByName(fromName)->AsVariant());
}

// Puts the table into edit state, which locks its record (through the lock retry).
void lockForAudit(TDataSet* table) {
  try {
    table->Edit();
  } catch (const EAbort&) {
    throw;
  } catch (const std::exception&) {
    throw Exception(
        "Quillon was unable to properly set the file state\rin order to complete your requested operation.\r"
        "The audit trail has not been written." +
        CallSupportText);
  }
}

}  // namespace

bool TDM::OpenAuditTrail() { return openAuditTable(Tran1_, "TRAN", true); }
bool TDM::OpenAuditTrail2() { return openAuditTable(Tran2_, "TRAN2", false); }

bool TDM::openAuditTable(TdcTbTable* table, const AnsiString& layout, bool withLedger) {
  if (AuditTrailDisabled) return false;
  const AnsiString file = auditFile();
  int step = 1;
  try {
    if (!qn::os::fileExists(DataDir + "\\tran" + WorkstationId + ".s")) {
      const AnsiString model = ProgramDir + "\\Tran.clo";
      if (!qn::os::copyFile(model, file, true)) throw Exception("A required file could not be found: " + model);
    }
    step = 2;
    Sleep(ReopenPause);
    table->SetTableName(file + ";RES:" + layout);
    step = 3;
    try {
      table->Open();
    } catch (const std::exception& e) {
      ShowErrorBox("Unable to open " + file + ". The following error occured:\r\r" + e.what() + CallSupportText);
      throw;
    }
    step = 4;
    table->SetIndexName("0");
    if (withLedger) {
      step = 5;
      if (!OpenGLInterface()) throw Exception("GL interface");
      step = 6;
      if (!OpenGLControl()) throw Exception("GL control");
    }
  } catch (const std::exception&) {
    table->Close();
    AuditTrailDisabled = true;
    ShowInformationBox("x=" + AnsiString(std::to_string(step)) + "\r\rQuillon was unable to access the alter audit trail file " +
                       file +
                       ". You will be able to alter transactions, you just won't get a report documenting the changes "
                       "you have made.  Please contact Vantor support with any questions.");
    return false;
  }
  return true;
}

void TDM::Fee_BeforeDelete(TDataSet* DataSet) {
  if (AuditTrailDisabled) return;
  StartLockRetry(5000, FeeLockMessage);
  lockForAudit(DataSet);
  try {
    Tran1_->Close();
  } catch (const std::exception& e) {
    ShowErrorBox(
        "Quillon was unable to prepare the audit trail file to document the change you are making.  The following "
        "error was encountered:\r" +
        AnsiString(e.what()));
    return;
  }
  if (!OpenAuditTrail()) return;
  try {
    Tran1_->Append();
    Tran1_->FieldByName("Audit")->SetAsString("2");
    copyField(DataSet, "Type", Tran1_, "Type");
    copyField(DataSet, "Client Code", Tran1_, "ClientCode");
    copyField(DataSet, "Case Suffix", Tran1_, "CaseSuffix");
    copyField(DataSet, "Transaction Date", Tran1_, "StringTransDate");
    copyField(DataSet, "Sub Type", Tran1_, "SubType");
    copyField(DataSet, "Employee Code", Tran1_, "ActEmp");
    copyField(DataSet, "Entry Date", Tran1_, "StringEntryDate");
    copyField(DataSet, "HNDR", Tran1_, "HNDR");
    copyField(DataSet, "Group Code", Tran1_, "GroupingCode");
    copyField(DataSet, "Fixed Fee", Tran1_, "FForPHB");
    copyField(DataSet, "Actual Hours", Tran1_, "ActualHours");
    copyField(DataSet, "Actual $", Tran1_, "ActualAmount");
    copyField(DataSet, "Bill Enp Code", Tran1_, "BillableEmpCode");
    copyField(DataSet, "Billable Hours", Tran1_, "BillableHours");
    copyField(DataSet, "Billable $", Tran1_, "BillableAmount");
    for (const char* amount : {"Fees", "DirectCosts", "IndirectCosts", "FinanceCharges", "SalesTaxes", "Retainers"})
      Tran1_->FieldByName(amount)->SetAsFloat(0);
    copyField(DataSet, "Invoice Number", Tran1_, "InvoiceNumber");
    copyField(DataSet, "Sequence Number", Tran1_, "SequenceNumber");
    Tran1_->FieldByName("Unassigned")->SetAsString(AnsiString(10, ' '));
    Tran1_->Post();
    AuditTrailHasEntries = true;
  } catch (const std::exception& e) {
    const AnsiString text = "Quillon was unable to write to the audit trail file:\r\r" + AnsiString(e.what()) + CallSupportText;
    if (Tran1_->Active()) Tran1_->Cancel();
    DataSet->Cancel();
    throw Exception(text);
  }
}

void TDM::TrDesc_BeforeDelete(TDataSet* DataSet) {
  if (AuditTrailDisabled) return;
  StartLockRetry(5000, DescriptionLockMessage);
  lockForAudit(DataSet);
  Tran2_->Close();
  if (!OpenAuditTrail2()) return;
  try {
    Tran2_->Append();
    Tran2_->FieldByName("audit")->SetAsString("8");
    copyField(DataSet, "Description", Tran2_, "description");
    Tran2_->FieldByName("Unassigned")->SetAsString(AnsiString(26, ' '));
    copyField(DataSet, "SequenceNumber", Tran2_, "SeqNumber");
    Tran2_->FieldByName("Unassigned2")->SetAsString(AnsiString(10, ' '));
    Tran2_->Post();
    AuditTrailHasEntries = true;
  } catch (const std::exception&) {
    if (Tran2_->Active()) Tran2_->Cancel();
    DataSet->Cancel();
    throw Exception("Quillon was unable to write to the audit trail file." + CallSupportText);
  }
}
