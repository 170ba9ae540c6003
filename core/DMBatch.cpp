// The workstation's batch of transactions as the entry forms list it: one line a transaction,
// its descriptions in a second file under the line's sequence number.
#include "core/DM.h"
#include "core/DM2.h"
#include "core/FileDates.h"
#include "core/LayoutFields.h"
#include "framework/base/NumberFormat.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"

namespace {

// "MM/DD/YY", or the eight stars of a date that cannot be shown.
constexpr int DisplayDateSize = 8;
constexpr int TransTypeSize = 17;  // "Retainer Transfer"
// A six-byte packed amount with two decimals, its thousands separators and a sign.
constexpr int DisplayAmountSize = 15;
constexpr int DisplayInvSize = 8;

const AnsiString NoDateYet = "-1";
const AnsiString UnshownDate = "********";
const AnsiString HiddenLineMark = "S";
const AnsiString AmountMask = "###,##0.00";

AnsiString transactionTypeText(char type, const AnsiString& subType) {
  const bool debit = subType == "D";
  switch (type) {
    case 'A': return "Adjustment";
    case 'B': return "Retainer Billing";
    case 'C': return debit ? "Direct Cost" : "Indirect Cost";
    case 'F': return "Fee";
    case 'P': return "Payment";
    case 'R': return "Retainer Transfer";
    case 'T': return debit ? "Trust Debit" : "Trust Credit";
    default: return "";
  }
}

}  // namespace

void TDM::addBatchFields() {
  for (const auto& [name, size] : {std::pair<const char*, int>{"DisplayDate", DisplayDateSize},
                                   {"TransTypeString", TransTypeSize},
                                   {"DisplayAmount", DisplayAmountSize},
                                   {"DisplayInv", DisplayInvSize}})
    AddCalculatedText(Batch_, name, size);
  DeclareLayoutFields(Batch_, {"Trtype", "SubType", "TrDate", "Dollars", "BDollars", "InvoiceNumber", "SeqNumber",
                               "Unassigned"});
  Batch_->OnNewRecord = [this](TDataSet* d) { Batch_NewRecord(d); };
  Batch_->SetOnFilterRecord([this](TDataSet* d, bool& accept) { Batch_FilterRecord(d, accept); });
  Batch_->SetFiltered(true);
  Batch_->BeforeDelete = [this](TDataSet* d) { Batch_BeforeDelete(d); };
  Batch_->AfterDelete = [this](TDataSet*) { endBatchDelete(true); };
  // The line's delete failed: its descriptions come back with it (the error still reaches the user).
  Batch_->OnDeleteError = [this](TDataSet*, EDatabaseError&, TDataAction&) { endBatchDelete(false); };
  Batch_->OnCalcFields = [this](TDataSet* d) { Batch_CalcFields(d); };
}

void TDM::Batch_NewRecord(TDataSet* DataSet) { DataSet->FieldByName("TrDate")->SetAsString(NoDateYet); }

void TDM::Batch_FilterRecord(TDataSet* DataSet, bool& Accept) {
  Accept = DataSet->FieldByName("Unassigned")->AsString() != HiddenLineMark;
}

// Any description left behind would be shown under the next line given the same number, so the
// line's descriptions go whenever the description file holds any. They go in one transaction with
// the line, committed once the line is gone (Batch_AfterDelete): a line that cannot go keeps them.
void TDM::Batch_BeforeDelete(TDataSet* DataSet) {
  if (KeepBatchDescriptions || !BatchDesc_->Active() || BatchDesc_->RecordCount() < 1) return;
  const AnsiString sequence = DataSet->FieldByName("SeqNumber")->AsString();
  // Every line without a number shares the blank one: whose descriptions are whose is not known.
  if (Trim(sequence).empty()) return;
  if (!DM2) throw EDatabaseError("The batch line's descriptions need the transaction database.");
  TtbDatabase& database = *DM2->QNDatabase;
  // Inside a caller's transaction the line and its descriptions are part of that one.
  if (!database.InTransaction()) {
    database.StartTransaction();
    batchDeleteTransaction_ = true;
  }
  const AnsiString index = BatchDesc_->IndexName();
  if (index != "1") BatchDesc_->SetIndexName("1");
  try {
    BatchDesc_->FindNearest({sequence});
    while (!BatchDesc_->Eof() && BatchDesc_->FieldByName("SequenceNumber")->AsString() == sequence)
      BatchDesc_->Delete();
  } catch (...) {
    // The line stays when a description cannot go; the form's description list keeps its order.
    if (index != "1") BatchDesc_->SetIndexName(index);
    endBatchDelete(false);
    throw;
  }
  if (index != "1") BatchDesc_->SetIndexName(index);
}

void TDM::endBatchDelete(bool commit) {
  if (!batchDeleteTransaction_) return;
  batchDeleteTransaction_ = false;
  TtbDatabase& database = *DM2->QNDatabase;
  if (!database.InTransaction()) return;
  if (!commit) {
    database.Rollback();
    return;
  }
  try {
    database.Commit();
  } catch (...) {
    if (database.InTransaction()) database.Rollback();
    throw;
  }
}

void TDM::Batch_CalcFields(TDataSet* DataSet) {
  AnsiString date;
  FileDateToDisplay(DataSet->FieldByName("TrDate")->AsString(), true, date);
  DataSet->FieldByName("DisplayDate")->SetAsString(LastDateConversionFailed ? UnshownDate : date);

  const AnsiString type = DataSet->FieldByName("Trtype")->AsString();
  const char letter = type.empty() ? ' ' : type[0];
  DataSet->FieldByName("TransTypeString")
      ->SetAsString(transactionTypeText(letter, DataSet->FieldByName("SubType")->AsString()));

  const double spread = DataSet->FieldByName("BDollars")->AsFloat();
  DataSet->FieldByName("DisplayAmount")
      ->SetAsString(FormatFloat(AmountMask, DataSet->FieldByName("Dollars")->AsFloat() + spread));

  const AnsiString invoice = Trim(DataSet->FieldByName("InvoiceNumber")->AsString());
  AnsiString shownInvoice = invoice;
  if (spread != 0)
    shownInvoice = "multiple";
  else if (letter == 'B' && invoice.empty())
    shownInvoice = "pending";
  DataSet->FieldByName("DisplayInv")->SetAsString(shownInvoice);
}
