// The fee split opened for a matter that is not a dummy: the receptor's dummy shown or moved, a
// dummy assigned to a matter that has none, and the target picker that borrows the same record
// dialog to ask for a client and a matter.
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "datagrid/DBGrid.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/FeeSplitF.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Button.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Panel.h"
#include "framework/ui/SafeDispatch.h"

namespace {

AnsiString text(TDataSet* d, const char* name) { return Trim(d->FieldByName(name)->AsString()); }
AnsiString left7(const AnsiString& s) { return Format("%-7s", {Trim(s)}); }
AnsiString right7(const AnsiString& s) { return Format("%7s", {Trim(s)}); }

const AnsiString kCancelQuestion = "Are you sure you want to cancel this operation?";
// The picker dialog stands this much lower than the record dialogs of the form.
constexpr int kPickerDrop = 30;

struct FieldLabel {
  const char* field;
  const char* label;
};
// The labels the record dialog gives the fields; a picker shows the dummy's from character 7 on.
constexpr FieldLabel kLabels[] = {{"DummyClient", "Dummy Client"},
                                  {"DummyCase", "Dummy Case Suffix"},
                                  {"ReceptorClient", "Receptor Client"},
                                  {"ReceptorCase", "Receptor Case Suffix"},
                                  {"FeePerCent", "Fee Percentage"},
                                  {"CostPerCent", "Cost Percentage"}};

}  // namespace

AnsiString TFeeSplitF::statusName(const AnsiString& status) {
  if (status == "C") return "Contingency ";
  if (status == "F") return "Frozen      ";
  if (status == "N") return "Non-Billable";
  if (status == "R") return "Receptor    ";
  return "Dummy       ";
}

bool TFeeSplitF::dummyOf(const AnsiString& client, const AnsiString& suffix, AnsiString& dummyClient,
                         AnsiString& dummySuffix) {
  family_->SetTableName(DataDir + "\\fsplit.qf;RES:FEESPLIT");
  family_->Open();
  family_->SetIndexName("2");
  const bool found = family_->FindKey({left7(client), right7(suffix)});
  if (found) {
    dummyClient = text(family_, "DummyClient");
    dummySuffix = text(family_, "DummyCase");
  }
  family_->Close();
  return found;
}

bool TFeeSplitF::runRecordDialog(const AnsiString& caption, DialogFields fields) {
  dialogFields_ = fields;
  const AnsiString matter = Trim(ReceptorClient) + "-" + Trim(ReceptorSuffix);
  for (const FieldLabel& label : kLabels) {
    AnsiString shown = label.label;
    const AnsiString name = label.field;
    if (fields == DialogFields::Dummy && (name == "FeePerCent" || name == "CostPerCent")) shown += " for " + matter;
    if (fields == DialogFields::Target && name.rfind("Dummy", 0) == 0) shown = shown.substr(6, 12);
    FSplit->FieldByName(label.field)->SetDisplayLabel(shown);
  }
  TdcRecordViewDialog* view = FSplitRecordViewDialog;
  view->Caption = caption;
  givenUp_ = false;
  view->OnCancelWarning = nullptr;
  view->OnInitDialog = nullptr;
  if (fields != DialogFields::Receptor) {
    // A new dummy is given up only on the user's word; a picker just closes.
    view->OnCancelWarning = [this, fields](TForm*, bool& CanClose) {
      CanClose = fields == DialogFields::Target || givenUp_ || AskYesNo(kCancelQuestion);
    };
    view->OnInitDialog = [fields](TdcRecordViewForm* Form) {
      if (fields == DialogFields::Target) Form->SetTop(Form->Top() + kPickerDrop);
      for (int i = 0; Form->UserPanel && i < Form->UserPanel->ControlCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(Form->UserPanel->Controls(i));
            button && StringReplace(button->Caption(), "&", "", rfReplaceAll) == "Cancel")
          button->SetCaption("&Cancel");
    };
  }
  // The picker's row is never written: OK only reads what was typed.
  const bool posts = fields != DialogFields::Target;
  if (!posts) view->OKCancelOptions.Exclude(rvokAutoPostRec);
  prepareLookupCombos();
  const bool ok = view->Execute();
  if (!posts) view->OKCancelOptions.Include(rvokAutoPostRec);
  view->OnCancelWarning = nullptr;
  view->OnInitDialog = nullptr;
  dialogFields_ = DialogFields::Receptor;
  return ok;
}

void TFeeSplitF::giveUp() {
  givenUp_ = true;
  qn::ui::postCall(this, [this] {
    if (FSplitRecordViewDialog->Form()) FSplitRecordViewDialog->CancelClick();
  });
}

bool TFeeSplitF::openReceptor() {
  const AnsiString receptor = Trim(ReceptorClient) + "-" + Trim(ReceptorSuffix);
  AnsiString client, suffix;
  const bool found = dummyOf(ReceptorClient, ReceptorSuffix, client, suffix);
  DummyClient = found ? client : AnsiString();
  DummySuffix = found ? suffix : AnsiString();
  // Receptors join a dummy only from the dummy's own screen.
  DummyCalledUp = false;
  if (!openVisit()) return false;
  if (!found) return assignDummy(false);
  showDummy();
  if (!mayChange()) return true;
  const TPoint over = dcDBGrid1->ClientToScreen(TPoint{0, 0});
  if (MessageDlgPos("This receptor (" + receptor + ") is assigned to the Dummy " + client + "-" + suffix +
                        ".\r\rDo you wish to MOVE this receptor to a different Dummy case?",
                    mtConfirmation, {mbOK, mbCancel}, 0, over.X, over.Y) != mrOk)
    return true;
  assignDummy(true);
  return true;
}

bool TFeeSplitF::assignDummy(bool moving) {
  const AnsiString oldClient = DummyClient, oldSuffix = DummySuffix;
  FSplit->Append();
  FSplit->FieldByName("ReceptorClient")->SetAsString(left7(ReceptorClient));
  FSplit->FieldByName("ReceptorCase")->SetAsString(right7(ReceptorSuffix));
  FSplit->FieldByName("FeePerCent")->SetAsString("0");
  FSplit->FieldByName("CostPerCent")->SetAsString("0");
  AnsiString newClient, newSuffix;
  FSplit->BeforePost = [&](TDataSet* DataSet) {
    checkNewDummy(DataSet);
    newClient = text(DataSet, "DummyClient");
    newSuffix = text(DataSet, "DummyCase");
  };
  const bool ok =
      runRecordDialog("Assign Dummy to " + Trim(ReceptorClient) + "-" + Trim(ReceptorSuffix), DialogFields::Dummy);
  FSplit->BeforePost = nullptr;
  if (FSplit->State() != dsBrowse) FSplit->Cancel();
  if (!ok || newClient.empty()) {
    showDummy();
    return false;
  }
  if (moving) {
    // The receptor leaves its old dummy: one dummy per receptor, as adding a receptor keeps it.
    const AnsiString key[] = {left7(oldClient), right7(oldSuffix), left7(ReceptorClient), right7(ReceptorSuffix)};
    family_->SetTableName(DataDir + "\\fsplit.qf;RES:FEESPLIT");
    family_->Open();
    family_->SetIndexName("1");
    if (family_->FindKey({key[0], key[1], key[2], key[3]})) family_->Delete();
    family_->Close();
  }
  DummyClient = newClient;
  DummySuffix = newSuffix;
  showDummy();
  return true;
}

void TFeeSplitF::checkNewDummy(TDataSet* DataSet) {
  const AnsiString client = DataSet->FieldByName("DummyClient")->AsString();
  const AnsiString suffix = DataSet->FieldByName("DummyCase")->AsString();
  auto refuse = [this](const AnsiString& question) {
    if (!AskYesNo(question)) giveUp();
    throw EAbort("");
  };
  if (Trim(client).empty() || Trim(suffix).empty())
    refuse("A required value is missing.  This record will not be saved.Do you wish to try again?");
  if (!Cases->FindKey({left7(client), right7(suffix)}))
    refuse("Case " + client + suffix +
           " does not exist\rand may not be assigned as a Dummy.\r\rDo you wish to try this operation again?");
  if (Trim(client) == Trim(ReceptorClient) && Trim(suffix) == Trim(ReceptorSuffix)) {
    ShowInformationBox("A receptor can't be assigned to itself!");
    throw EAbort("");
  }
  family_->SetTableName(DataDir + "\\fsplit.qf;RES:FEESPLIT");
  family_->Open();
  family_->SetIndexName("1");
  const bool duplicate =
      family_->FindKey({left7(client), right7(suffix), left7(ReceptorClient), right7(ReceptorSuffix)});
  family_->Close();
  if (duplicate) {
    ShowErrorBox("Duplicate key error in Fee Split file.\r\rPlease call Vantor, Inc. for assistance.");
    throw EAbort("");
  }
  const AnsiString status = Cases->FieldByName("Case Status 2")->AsString();
  if (!status.empty() && AnsiString("CFNR").find(status) != AnsiString::npos &&
      !AskYesNo("Assigning this matter the status of Dummy\rwill remove its status as a " + statusName(status) +
                " matter.\r\rDo you wish to continue?"))
    throw EAbort("");
  const AnsiString matter = Trim(client) + "-" + Trim(suffix);
  if (!writeStatus(client, suffix, "D")) {
    ShowErrorBox("Quillon was unable to assign a new\rbilling status code to " + matter +
                 ".\r\rPlease contact Vantor, Inc. for assistance");
    throw EAbort("");
  }
  DataSet->FieldByName("DummyClient")->SetAsString(left7(client));
  DataSet->FieldByName("DummyCase")->SetAsString(right7(suffix));
}

bool TFeeSplitF::PickTarget() {
  PickedClient = PickedSuffix = "";
  if (!Picker) return false;
  const AnsiString caption = PickerCopy      ? "Copy transactions to:"
                             : PickerInvoice ? "Move invoice to:"
                                             : "Move transactions to:";
  if (!openSplitFile()) return false;
  FSplit->Append();
  if (runRecordDialog(caption, DialogFields::Target)) {
    PickedClient = text(FSplit, "DummyClient");
    PickedSuffix = text(FSplit, "DummyCase");
  }
  if (FSplit->State() != dsBrowse) FSplit->Cancel();
  FSplit->Close();
  closeLookups();
  return !PickedClient.empty() && !PickedSuffix.empty();
}
