// The fee split's family model: the split of the dummy on the screen given to every other open
// dummy matter of its client, inside the visit's transaction.
#include <cstdlib>

#include "core/DM2.h"
#include "core/MessageBoxes.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/Allocation.h"
#include "dialogs/DummyMatter.h"
#include "dialogs/FeeSplitF.h"
#include "dialogs/FeeSplitLog.h"
#include "core/Globals.h"
#include "framework/base/FormatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "recordmgr/Sessions.h"

namespace {

AnsiString text(TDataSet* d, const char* name) { return d->FieldByName(name)->AsString(); }
int64_t percent(TDataSet* d, const char* name) { return allocation::ScaledValue(d->FieldByName(name)->AsFloat(), 4); }
void setPercent(TDataSet* d, const char* name, int64_t value) {
  d->FieldByName(name)->SetAsString(allocation::ScaledText(value, 4));
}
AnsiString left7(const AnsiString& s) { return Format("%-7s", {Trim(s)}); }
AnsiString right7(const AnsiString& s) { return Format("%7s", {Trim(s)}); }

// Raised to end the run with its fatal error.
struct FatalModelError {
  AnsiString text;
};

}  // namespace

void TFeeSplitF::openModelTables() {
  const std::pair<TdcTbTable*, const char*> tables[] = {{family_, "\\fsplit.qf;RES:FEESPLIT"},
                                                        {newCases_, "\\YCase.qf;RES:YCASE"},
                                                        {descs_, "\\cdesc.qf;RES:CASEDESC"}};
  for (const auto& [table, file] : tables) {
    table->SetTableName(DataDir + file);
    table->Open();
    table->SetIndexName("1");
  }
  try {
    caseSave_->SetTableName(DataDir + "\\casesave.qf;RES:YCASE");
    caseSave_->Open();
    caseSave_->SetIndexName("4");
  } catch (const std::exception& e) {
    throw FatalModelError{"Unable to access CaseSave file while attempting to model the current family.\r\r" +
                          AnsiString(e.what())};
  }
}

void TFeeSplitF::closeModelTables() {
  for (TdcTbTable* table : {family_, newCases_, caseSave_, descs_}) {
    if (table->State() != dsBrowse && table->Active()) table->Cancel();
    table->Close();
  }
}

void TFeeSplitF::showCounts(const AnsiString& matter) {
  ModelLabel->SetCaption(matter + "  (" + IntToStr(counts_.Matters) + ")   Changed: " + IntToStr(counts_.Changed) +
                         "   Added: " + IntToStr(counts_.Added) + "   Deleted: " + IntToStr(counts_.Deleted));
}

void TFeeSplitF::BitBtn3Click(TObject*) {
  const AnsiString client = Trim(DummyClient), suffix = Trim(DummySuffix);
  if (MessageDlg("Quillon is about to create a fee splitting model based on the\rfamily " + client + " - " + suffix +
                     ".\r\rThis may involve significant manipulation of Quillon data files.\r\rContinue with fee split "
                     "modeling?",
                 mtConfirmation, {mbYes, mbNo}, 0) != mrYes) {
    ShowInformationBox("Fee Split Modeling function terminated by user.  No changes have been made.");
    Close();
    return;
  }
  if (!openVisit()) return;
  counts_ = {};
  log_.clear();
  modelCancelled_ = false;
  std::vector<ModelRow> model;
  for (FSplit->First(); !FSplit->Eof(); FSplit->Next())
    model.push_back({text(FSplit, "ReceptorClient"), text(FSplit, "ReceptorCase"), percent(FSplit, "FeePerCent"),
                     percent(FSplit, "CostPerCent")});
  ModelCancelBtn->SetVisible(true);
  bool fatal = false;
  try {
    openModelTables();
    // The family: the client's open dummies other than the model, read before any is changed.
    std::vector<AnsiString> family;
    Cases->SetRange({left7(client), AnsiString()}, {left7(client), AnsiString("zzzzzzz")});
    for (Cases->First(); !Cases->Eof(); Cases->Next())
      if (Trim(text(Cases, "Case Suffix")) != suffix && text(Cases, "Case Status 1") != "X" &&
          text(Cases, "Case Status 2") == "D")
        family.push_back(text(Cases, "Case Suffix"));
    Cases->CancelRange();
    for (const AnsiString& member : family) {
      Application->ProcessMessages();
      if (modelCancelled_) break;
      ++counts_.Matters;
      showCounts(client + "-" + Trim(member));
      modelFamilyDummy(member, model);
      showCounts(client + "-" + Trim(member));
    }
  } catch (const FatalModelError& e) {
    log_.push_back(e.text);
    fatal = true;
  } catch (const std::exception& e) {
    log_.push_back("Unable to model the current family.\r\r" + AnsiString(e.what()));
    fatal = true;
  }
  closeModelTables();
  ModelCancelBtn->SetVisible(false);
  MakeInitialTotalCalcs();
  if (modelCancelled_) {
    Close();
    return;
  }
  if (fatal) {
    ShowErrorBox("The Fee Split Modeling function failed due to a fatal error.\rNo changes to data have been made.\r\r");
    Close();
    return;
  }
  if (log_.empty()) {
    ShowInformationBox("The Fee Split Modeling function finished successfully!");
    saved_ = true;
    return;
  }
  saved_ = true;
  ShowInformationBox(
      "The Fee Split Modeling function completed, but errors were encountered.\r\rThe error log will be displayed.");
  TFeeSplitLogF log(this, Caption(), log_);
  log.runModal();
}

void TFeeSplitF::modelFamilyDummy(const AnsiString& suffix, const std::vector<ModelRow>& model) {
  const AnsiString client = left7(DummyClient);
  std::vector<bool> present(model.size(), false);
  auto modelOf = [&](const AnsiString& receptorClient) -> int {
    for (std::size_t i = 0; i < model.size(); ++i)
      if (Trim(model[i].client) == Trim(receptorClient)) return static_cast<int>(i);
    return -1;
  };
  family_->SetRange({client, right7(suffix)}, {client, right7(suffix)});
  for (family_->First(); !family_->Eof();) {
    const AnsiString receptorClient = text(family_, "ReceptorClient"), receptorCase = text(family_, "ReceptorCase");
    const int at = modelOf(receptorClient);
    if (at < 0) {
      family_->Delete();
      ++counts_.Deleted;
      writeStatus(receptorClient, receptorCase, " ");
      continue;
    }
    if (Trim(receptorCase) == Trim(suffix)) {
      present[at] = true;
      // Whole ten-thousandths: any difference of one of them is a difference.
      if (percent(family_, "FeePerCent") != model[at].fee || percent(family_, "CostPerCent") != model[at].cost) {
        family_->Edit();
        setPercent(family_, "FeePerCent", model[at].fee);
        setPercent(family_, "CostPerCent", model[at].cost);
        family_->Post();
        ++counts_.Changed;
      }
    }
    family_->Next();
  }
  family_->CancelRange();
  for (std::size_t i = 0; i < model.size(); ++i) {
    if (present[i]) continue;
    family_->Append();
    family_->FieldByName("DummyClient")->SetAsString(client);
    family_->FieldByName("DummyCase")->SetAsString(right7(suffix));
    family_->FieldByName("ReceptorClient")->SetAsString(left7(model[i].client));
    family_->FieldByName("ReceptorCase")->SetAsString(right7(suffix));
    setPercent(family_, "FeePerCent", model[i].fee);
    setPercent(family_, "CostPerCent", model[i].cost);
    family_->Post();
    ++counts_.Added;
    if (!writeStatus(model[i].client, suffix, "R")) createReceptorMatter(model[i].client, suffix, model[i]);
  }
}

void TFeeSplitF::createReceptorMatter(const AnsiString& client, const AnsiString& suffix, const ModelRow& from) {
  if (caseSave_->FindKey({left7(client), Format("%-7s", {Trim(suffix)})})) {
    log_.push_back("Case " + Trim(client) + "-" + Trim(suffix) + " could not be created because it had previously been "
                   "deleted.");
    return;
  }
  if (!Cases->FindKey({left7(from.client), right7(from.suffix)}))
    throw FatalModelError{"Unable to model the current family.\r\rCase " + Trim(from.client) + "-" + Trim(from.suffix) +
                          " does not exist."};
  newCases_->Append();
  for (TField* field : newCases_->Fields())
    if (field->DataType() != ftAutoInc && !field->Calculated())
      field->SetAsString(Cases->FieldByName(field->FieldName())->AsString());
  newCases_->FieldByName("Client Code")->SetAsString(left7(client));
  newCases_->FieldByName("Case Suffix")->SetAsString(right7(suffix));
  newCases_->FieldByName("LeftJustCaseSuffix")->SetAsString(Format("%-7s", {Trim(suffix)}));
  newCases_->FieldByName("Case Status 2")->SetAsString("R");
  newCases_->Post();
  // The model receptor's description lines go with its copy.
  std::vector<std::pair<AnsiString, AnsiString>> lines;
  descs_->SetRange({left7(from.client), right7(from.suffix)}, {left7(from.client), right7(from.suffix)});
  for (descs_->First(); !descs_->Eof(); descs_->Next()) {
    const int number = std::atoi(text(descs_, "DescNum").c_str());
    if (number >= 1 && number <= 20) lines.emplace_back(text(descs_, "DescNum"), text(descs_, "Descr"));
  }
  descs_->CancelRange();
  for (const auto& [number, line] : lines) {
    descs_->Append();
    descs_->FieldByName("ClientCode")->SetAsString(left7(client));
    descs_->FieldByName("CaseSuffix")->SetAsString(right7(suffix));
    descs_->FieldByName("DescNum")->SetAsString(number);
    descs_->FieldByName("Descr")->SetAsString(Format("%-50s", {line}));
    descs_->Post();
  }
}
