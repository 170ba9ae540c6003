#include "datagrid/SearchDialog.h"

#include "datagrid/DcTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Dialogs.h"

namespace {

UnitRegistration unit("datagrid/SearchDialog", {}, [] { RegisterClass<TdcSearchDialog>(); });

bool SynchronisesByRange(const TdcTable& table) { return table.IsSQLBased() && table.SyncSQLByRange; }

}  // namespace

void TdcSearchDialog::PublishProperties(PropertyPublisher<TdcSearchDialog>& publish) {
  publish.Object("SearchTable", &TdcSearchDialog::SearchTable, &TdcSearchDialog::SetSearchTable)
      .Object("ShadowSearchTable", &TdcSearchDialog::ShadowSearchTable, &TdcSearchDialog::SetShadowSearchTable);
}

TdcSearchDialog::TdcSearchDialog(TComponent* AOwner) : TdcCustomLookupDialog(AOwner) {}

TDataSet* TdcSearchDialog::GetPrimaryDataSet() { return searchTable_; }

void TdcSearchDialog::SetSearchTable(TdcTable* Value) {
  searchTable_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TdcSearchDialog::SetShadowSearchTable(TdcTable* Value) {
  shadowSearchTable_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TdcSearchDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TdcCustomLookupDialog::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == searchTable_) searchTable_ = nullptr;
  if (AComponent == shadowSearchTable_) shadowSearchTable_ = nullptr;
}

AnsiString TdcSearchDialog::refusal() const {
  if (searchTable_ && shadowSearchTable_) {
    if (searchTable_ == shadowSearchTable_) return searchdialog_texts::kSameObject;
    if (!SameText(searchTable_->DatabaseName(), shadowSearchTable_->DatabaseName()) ||
        !SameText(searchTable_->TableName(), shadowSearchTable_->TableName()))
      return searchdialog_texts::kDifferentTables;
  }
  const TdcTable* table = shadowSearchTable_ ? shadowSearchTable_ : searchTable_;
  if (!table || table->DatabaseName().empty()) return searchdialog_texts::kCannotOpen;
  if (!table->Active()) return lookupdialog_texts::kTableNotActive;
  return {};
}

bool TdcSearchDialog::Execute() {
  if (const AnsiString refused = refusal(); !refused.empty()) {
    MessageDlg(refused, mtWarning, {mbOK}, 0);
    return false;
  }
  TdcTable* shadow = shadowSearchTable_;
  if (searchTable_ && shadow) {
    if (SynchronisesByRange(*shadow)) shadow->RangeToRecordOf(searchTable_);
    else if (shadow->NarrowSearch) shadow->CancelSearchRange();
    try {
      shadow->GotoCurrent(*searchTable_);
    } catch (const Exception&) {
      // The shadow then opens where it stands; the user searches from there.
    }
  }
  StringList none;
  const bool confirmed = RunForm(shadow ? shadow : searchTable_, shadow ? *Selected() : none);
  if (!confirmed || !searchTable_ || !shadow) return confirmed;
  if (SynchronisesByRange(*searchTable_)) searchTable_->RangeToRecordOf(shadow);
  if (!shadow->IsEmpty()) searchTable_->GotoCurrent(*shadow);
  return confirmed;
}
