// The workstation's batch of transactions as the entry forms list it: one line a transaction,
// its descriptions in a second file under the line's sequence number.
#include <functional>

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

// The batch's line table: a line's own delete runs inside the routine its owner gives, so what
// must stand or fall with the line begins and ends within that delete. The delete's events could
// not hold it: an exception before or after the line goes skips them, and a form may set its own.
class BatchLineTable : public TdcTbTable {
 public:
  using DeleteLine = std::function<void(const std::function<void()>& deleteRecord)>;
  BatchLineTable(TComponent* owner, DeleteLine deleteLine) : TdcTbTable(owner), deleteLine_(std::move(deleteLine)) {}

 protected:
  void InternalDelete() override {
    deleteLine_([this] { TdcTbTable::InternalDelete(); });
  }

 private:
  DeleteLine deleteLine_;
};

}  // namespace

void TDM::addBatchTables() {
  Batch_ = adoptTable(new BatchLineTable(this, [this](const std::function<void()>& deleteLine) {
                        deleteBatchLine(deleteLine);
                      }),
                      "Batch_");
  BatchDesc_ = addTable("BatchDesc_");
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
  Batch_->OnCalcFields = [this](TDataSet* d) { Batch_CalcFields(d); };
}

void TDM::Batch_NewRecord(TDataSet* DataSet) { DataSet->FieldByName("TrDate")->SetAsString(NoDateYet); }

void TDM::Batch_FilterRecord(TDataSet* DataSet, bool& Accept) {
  Accept = DataSet->FieldByName("Unassigned")->AsString() != HiddenLineMark;
}

// Any description left behind would be shown under the next line given the same number, so the
// line's descriptions go whenever the description file holds any.
AnsiString TDM::batchLineDescriptions(TDataSet* DataSet) const {
  if (KeepBatchDescriptions || !BatchDesc_->Active() || BatchDesc_->RecordCount() < 1) return "";
  const AnsiString sequence = DataSet->FieldByName("SeqNumber")->AsString();
  // Every line without a number shares the blank one: whose descriptions are whose is not known.
  return Trim(sequence).empty() ? "" : sequence;
}

void TDM::Batch_BeforeDelete(TDataSet* DataSet) {
  const AnsiString sequence = batchLineDescriptions(DataSet);
  if (sequence.empty()) return;
  const AnsiString index = BatchDesc_->IndexName();
  if (index != "1") BatchDesc_->SetIndexName("1");
  try {
    BatchDesc_->FindNearest({sequence});
    while (!BatchDesc_->Eof() && BatchDesc_->FieldByName("SequenceNumber")->AsString() == sequence)
      BatchDesc_->Delete();
  } catch (...) {
    // The form's description list keeps its order.
    if (index != "1") BatchDesc_->SetIndexName(index);
    throw;
  }
  if (index != "1") BatchDesc_->SetIndexName(index);
}

// Committed once the line is gone; rolled back whatever fails before, a commit that fails among
// them, so the line and its descriptions stay and the failure passes on to be shown. Whatever
// fails after the commit (the re-read of the lines around it, a form's handler) finds it ended.
void TDM::deleteBatchLine(const std::function<void()>& deleteLine) {
  if (batchLineDescriptions(Batch_).empty()) {
    deleteLine();
    return;
  }
  if (!DM2) throw EDatabaseError("The batch line's descriptions need the transaction database.");
  TtbDatabase& database = *DM2->QNDatabase;
  // Inside a caller's transaction the line and its descriptions are part of that one.
  const bool ours = !database.InTransaction();
  if (ours) database.StartTransaction();
  try {
    Batch_BeforeDelete(Batch_);
    deleteLine();
    if (ours) database.Commit();
  } catch (...) {
    if (ours && database.InTransaction()) database.Rollback();
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
