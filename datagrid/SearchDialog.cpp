#include "datagrid/SearchDialog.h"

#include "datagrid/DcTable.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/TextCompare.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Dialogs.h"

namespace {

UnitRegistration unit("datagrid/SearchDialog", {}, [] { RegisterClass<TdcSearchDialog>(); });

// The library's table that keeps its range in step with the other table's record; null for any
// other table.
TdcTable* RangeSynchronised(TttTable* table) {
  auto* library = dynamic_cast<TdcTable*>(table);
  return library && library->IsSQLBased() && library->SyncSQLByRange ? library : nullptr;
}

}  // namespace

void TdcSearchDialog::PublishProperties(PropertyPublisher<TdcSearchDialog>& publish) {
  publish.Object("SearchTable", &TdcSearchDialog::SearchTable, &TdcSearchDialog::SetSearchTable)
      .Object("ShadowSearchTable", &TdcSearchDialog::ShadowSearchTable, &TdcSearchDialog::SetShadowSearchTable);
}

TdcSearchDialog::TdcSearchDialog(TComponent* AOwner) : TdcCustomLookupDialog(AOwner) {}

TDataSet* TdcSearchDialog::GetPrimaryDataSet() { return searchTable_; }

void TdcSearchDialog::SetSearchTable(TttTable* Value) {
  searchTable_ = Value;
  if (Value) Value->FreeNotification(this);
}

void TdcSearchDialog::SetShadowSearchTable(TttTable* Value) {
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
  const TttTable* table = shadowSearchTable_ ? shadowSearchTable_ : searchTable_;
  if (!table || table->DatabaseName().empty()) return searchdialog_texts::kCannotOpen;
  if (!table->Active()) return lookupdialog_texts::kTableNotActive;
  return {};
}

bool TdcSearchDialog::Execute() {
  if (const AnsiString refused = refusal(); !refused.empty()) {
    MessageDlg(refused, mtWarning, {mbOK}, 0);
    return false;
  }
  TttTable* shadow = shadowSearchTable_;
  if (searchTable_ && shadow) {
    if (TdcTable* synchronised = RangeSynchronised(shadow)) synchronised->RangeToRecordOf(searchTable_);
    else if (auto* narrowed = dynamic_cast<TdcTable*>(shadow); narrowed && narrowed->NarrowSearch)
      narrowed->CancelSearchRange();
    try {
      shadow->GotoCurrent(*searchTable_);
    } catch (const Exception&) {
      // The shadow then opens where it stands; the user searches from there.
    }
  }
  StringList none;
  const bool confirmed = RunForm(shadow ? shadow : searchTable_, shadow ? *Selected() : none);
  if (!confirmed || !searchTable_ || !shadow) return confirmed;
  if (TdcTable* synchronised = RangeSynchronised(searchTable_)) synchronised->RangeToRecordOf(shadow);
  if (!shadow->IsEmpty()) searchTable_->GotoCurrent(*shadow);
  return confirmed;
}
