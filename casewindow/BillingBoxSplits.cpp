// The matter's rows in the fee split file: whether a dummy has receptors and whether they are
// open, the fee split form for a new dummy or receptor, and the rows removed with the status.
#include "casewindow/BillingBoxF.h"
#include "casewindow/CaseSaveFlags.h"
#include "casewindow/ClientCaseLookF1.h"
#include "core/CaseKey.h"
#include "core/DM.h"
#include "core/DM2.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "core/TableUse.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/FeeSplitF.h"
#include "editors/DBEdit.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Screen.h"

namespace {

const AnsiString kSplitFileWarning = "Unable to open the Fee Split file.Please Call Vantor, Inc. for assistance.";

AnsiString splitFile() { return DataDir + "\\fsplit.QF;RES:FEESPLIT"; }

AnsiString text(TDataSet* table, const char* name) { return Trim(table->FieldByName(name)->AsString()); }

// The fee split table's current row names the matter in those two fields.
bool rowOf(TDataSet* table, const CaseKey& key, const char* clientField, const char* caseField) {
  return !table->Eof() && text(table, clientField) == Trim(key.client) && text(table, caseField) == Trim(key.suffix);
}

}  // namespace

void TBillingBoxF::setFeeSplitButtonEnabled(bool enabled) {
  if (ClientCaseLookF1) ClientCaseLookF1->FeeSplitBitBtn->SetEnabled(enabled);
}

bool TBillingBoxF::DummyHasReceptors(bool& openFound) {
  const bool existenceOnly = openFound;
  try {
    const CaseKey key = CaseKey::ofCurrent(DM->Case1_);
    const TableUse split(FeeSplit_, splitFile(), "1");
    FeeSplit_->FindNearest({key.client, key.suffix});
    const bool found = rowOf(FeeSplit_, key, "DummyClient", "DummyCase");
    if (!found || existenceOnly) return found;
    // The screen's own case list may hold a range or hide closed matters: the receptors are
    // looked up in a table of the panel's own.
    const TableUse cases(receptors_, DataDir + "\\YCase.qf;RES:YCASE", "1");
    for (; rowOf(FeeSplit_, key, "DummyClient", "DummyCase"); FeeSplit_->Next()) {
      const CaseKey receptor(text(FeeSplit_, "ReceptorClient"), text(FeeSplit_, "ReceptorCase"));
      receptors_->FindNearest({receptor.client, receptor.suffix});
      if (receptors_->Eof() || !receptor.holds(receptors_)) break;
      openFound = text(receptors_, "Case Status 1") != "X";
      if (openFound) break;
    }
    return true;
  } catch (const std::exception&) {
    ShowWarningBox(kSplitFileWarning);
    // Not knowing counts as having open receptors: the matter stays as it is.
    openFound = true;
    return true;
  }
}

void TBillingBoxF::OpenFeeSplitForStatus() {
  const bool dummy = Trim(BillingStatus2->Text()) == "D";
  const bool beingEdited = DM->Case1_->State() == dsEdit;
  const CaseKey key = CaseKey::ofCurrent(DM->Case1_);
  const bool clientOpen = DM->Client1_->Active();
  const TBookmarkStr clientAt = clientOpen ? DM->Client1_->Bookmark() : TBookmarkStr();
  try {
    TFeeSplitF form(this);
    // A whole family is modelled from the dummy's own screen, not while its status is set.
    form.SetModelingEnabled(false);
    if (dummy) {
      DummyClient = Trim(key.client);
      DummySuffix = Trim(key.suffix);
      form.DummyCalledUp = true;
    } else {
      setFeeSplitButtonEnabled(false);
      form.ReceptorClient = Trim(key.client);
      form.ReceptorSuffix = Trim(key.suffix);
    }
    form.runModal();
    bool existenceOnly = true;
    if (dummy && !beingEdited && !DummyHasReceptors(existenceOnly)) NewDummyWarningPending = true;
  } catch (const std::exception&) {
    ShowWarningBox(kSplitFileWarning);
  }
  if (clientOpen && DM->Client1_->Active()) DM->Client1_->SetBookmark(clientAt);
  setFeeSplitButtonEnabled(true);
}

bool TBillingBoxF::deleteSplitRows(const char* index, const char* clientField, const char* caseField) {
  const HourglassCursor busy;
  TtbDatabase& database = *DM2->QNDatabase;
  // Inside a caller's transaction the rows go with that one.
  const bool ours = !database.InTransaction();
  try {
    const CaseKey key = CaseKey::ofCurrent(DM->Case1_);
    const TableUse split(FeeSplit_, splitFile(), index);
    if (ours) database.StartTransaction();
    try {
      // Read inside the transaction that deletes them.
      FeeSplit_->FindNearest({key.client, key.suffix});
      while (rowOf(FeeSplit_, key, clientField, caseField)) FeeSplit_->Delete();
      if (ours) database.Commit();
    } catch (...) {
      if (ours && database.InTransaction()) database.Rollback();
      throw;
    }
  } catch (const std::exception&) {
    ShowWarningBox(kSplitFileWarning);
    return false;
  }
  return true;
}

bool TBillingBoxF::DeleteDummySplits() { return deleteSplitRows("1", "DummyClient", "DummyCase"); }

bool TBillingBoxF::DeleteReceptorSplit() {
  if (!deleteSplitRows("2", "ReceptorClient", "ReceptorCase")) return false;
  setFeeSplitButtonEnabled(false);
  return true;
}
