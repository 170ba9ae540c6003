#include "dialogs/FeeSplitF.h"

#include <array>
#include <vector>

#include "core/DM.h"
#include "core/DM2.h"
#include "core/Globals.h"
#include "core/MessageBoxes.h"
#include "datagrid/DBGrid.h"
#include "datagrid/DBNavigator.h"
#include "datagrid/DcDataSource.h"
#include "datagrid/DcTbTable.h"
#include "datagrid/IndicatorButton.h"
#include "datagrid/NavButton.h"
#include "datagrid/NavButtons.h"
#include "datagrid/RecordViewDialog.h"
#include "datagrid/RecordViewForm.h"
#include "dialogs/Allocation.h"
#include "dialogs/CaptionedNavigator.h"
#include "dialogs/DummyMatter.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/Tick.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/QtMessageBox.h"
#include "framework/ui/SafeDispatch.h"
#include "recordmgr/Sessions.h"

const AnsiString TFeeSplitF::LockText =
    "Quillon encountered a record lock in the Fee Split file.\rIt appears to be in use at another workstation. "
    "\r\rYou may continue to attempt this operation by selecting 'RETRY\r(recommended).  This message will reappear "
    "after\r5 seconds if Quillon is still unable to proceed.\r\rSelecting 'CANCEL' means that your changes will not "
    "be saved,\rbut you may attempt this function at a later time.";

namespace {

const AnsiString kNoAccess = "Sorry, you don't have access to this function.";
const AnsiString kContact = "\rPlease contact Vantor, Inc. for assistance.";
// The function right that adding and deleting receptors need.
constexpr int kFeeSplitRight = 14;
constexpr std::uint32_t kLockInterval = 5000;
constexpr std::int32_t kStaleDistance = 20000;
// Between two silent tries: long enough not to hammer the file, short enough to go unnoticed.
constexpr std::uint32_t kRetryPause = 5;
const AnsiString kLockStatus = "Btrieve Status 84";

// The grid moves between the receptors; the navigator changes them.
const std::array<std::pair<TdcNavButtonStyle, const char*>, 3> kButtons = {
    {{nbsInsert, "&Add New Receptor"}, {nbsEdit, "&Edit Receptor %"}, {nbsDelete, "&Delete Receptor"}}};

AnsiString field(TDataSet* d, const char* name) { return d->FieldByName(name)->AsString(); }

std::int32_t untilDeadline() { return static_cast<std::int32_t>(LockRetryDeadline - GetTickCount()); }

}  // namespace

TFeeSplitF::TFeeSplitF(TComponent* AOwner) : TForm(AOwner) {
  SetName("FeeSplitF");
  SetCaption("Quillon  Fee Split Entry and Maintenance");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(560);
  SetClientHeight(330);
  Label1 = PlaceControl<TextLabel>(this, this, 8, 8, 540, 16);
  Label1->Font()->SetStyle(TFontStyles{fsBold});

  FSplit = new TdcTbTable(this);
  FSplit->SetName("FSplit");
  FSplit->SetDatabaseName("QNWIN");
  Cases = new TdcTbTable(this);
  Cases->SetName("Cases");
  Cases->SetDatabaseName("QNWIN");
  for (auto* event : {&FSplit->OnEditError, &FSplit->OnPostError, &FSplit->OnDeleteError})
    *event = [this](TDataSet* DataSet, EDatabaseError& E, TDataAction& Action) { FeeSplit_EditError(DataSet, E, Action); };
  FSplit->AfterOpen = [this](TDataSet* DataSet) {
    for (const char* name : {"FeePerCent", "CostPerCent"})
      DataSet->FieldByName(name)->OnValidate = [this](TField* Sender) { PercentValidate(Sender); };
    followClientFields(DataSet);
  };
  FSplitSource = new TdcDataSource(this);
  FSplitSource->SetDataSet(FSplit);

  dcDBGrid1 = PlaceControl<TdcDBGrid>(this, this, 8, 32, 544, 190);
  dcDBGrid1->SetName("dcDBGrid1");
  dcDBGrid1->SetUseTFields(false);
  for (const char* column : {"ReceptorClient\t16\tReceptor Client\tF", "ReceptorCase\t16\tReceptor Case\tF",
                             "FeePerCent\t14\tFee %\tF", "CostPerCent\t14\tCost %\tF"})
    dcDBGrid1->Selected().Add(column);
  dcDBGrid1->SetDBOptions(dcDBGrid1->DBOptions().Include(dgShowFooter));
  // The four columns fit: a horizontal bar would only cover the totals.
  dcDBGrid1->setScrollBars(scrollBarsVertical);
  dcDBGrid1->SetDataSource(FSplitSource);
  dcDBGrid1->LayoutColumns();
  // The footer stays as it is while a message box waits with its Yes button focused.
  dcDBGrid1->OnUpdateFooter = [this](TObject*) {
    if (!qn::ui::messageBoxButtonFocused(mbYes)) showTotals();
  };
  dcDBGrid1IButton = new TdcIButton(this);
  dcDBGrid1IButton->SetParent(dcDBGrid1);
  dcDBGrid1IButton->SetBounds(0, 0, 20, 20);
  dcDBGrid1IButton->SetHint("Edit this receptor's percentages");
  dcDBGrid1IButton->OnClick = [this](TObject* Sender) { EditReceptorClick(Sender); };
  dcDBGrid1->SetIndicatorButton(dcDBGrid1IButton);

  dcDBNavigator1 = PlaceControl<TdcDBNavigator>(this, this, 8, 230, 544, 40);
  ShowCaptionedButtons(dcDBNavigator1, kButtons);
  navButton(AddReceptorButton)->OnClick = [this](TObject* Sender) { AddReceptorClick(Sender); };
  navButton(EditReceptorButton)->OnClick = [this](TObject* Sender) { EditReceptorClick(Sender); };
  navButton(DeleteReceptorButton)->OnClick = [this](TObject* Sender) { DeleteReceptorClick(Sender); };

  FSplitRecordViewDialog = new TdcRecordViewDialog(this);
  FSplitRecordViewDialog->SetDataSource(FSplitSource);
  FSplitRecordViewDialog->ControlInfoInDataset = false;
  FSplitRecordViewDialog->Options.Include(rvoHideCalculated);
  FSplitRecordViewDialog->Options.Include(rvoHideNavigator);
  FSplitRecordViewDialog->OnBeforeCreateControl = [this](TdcRecordViewForm*, TField* Field, bool& Accept) {
    const AnsiString name = Field->FieldName();
    const bool percent = name == "FeePerCent" || name == "CostPerCent";
    const bool dummy = name == "DummyClient" || name == "DummyCase";
    const bool receptor = name == "ReceptorClient" || name == "ReceptorCase";
    switch (dialogFields_) {
      case DialogFields::Receptor: Accept = percent || (receptor && FSplit->State() == dsInsert); break;
      case DialogFields::Dummy: Accept = percent || dummy; break;
      case DialogFields::Target: Accept = dummy; break;
    }
  };
  makeLookupCombos();

  BitBtn1 = PlaceControl<GlyphButton>(this, this, 8, 290, 120, 28);
  BitBtn1->SetCaption("Sa&ve");
  BitBtn2 = PlaceControl<GlyphButton>(this, this, 140, 290, 160, 28);
  BitBtn2->SetCaption("Redistribute equally");
  BitBtn3 = PlaceControl<GlyphButton>(this, this, 312, 290, 140, 28);
  BitBtn3->SetCaption("&Model this family");
  BitBtn3->SetVisible(false);
  BitBtn3->OnClick = [this](TObject* Sender) { BitBtn3Click(Sender); };
  ModelLabel = PlaceControl<TextLabel>(this, this, 8, 274, 420, 16);
  ModelCancelBtn = PlaceControl<GlyphButton>(this, this, 464, 290, 88, 28);
  ModelCancelBtn->SetKind(gbkCancel);
  ModelCancelBtn->SetCaption("Cancel");
  ModelCancelBtn->SetVisible(false);
  ModelCancelBtn->OnClick = [this](TObject*) { modelCancelled_ = true; };
  auto modelTable = [this](const char* name) {
    auto* table = new TdcTbTable(this);
    table->SetName(name);
    table->SetDatabaseName("QNWIN");
    return table;
  };
  family_ = modelTable("Family");
  newCases_ = modelTable("NewCases");
  caseSave_ = modelTable("CaseSave");
  descs_ = modelTable("Descs");
  BitBtn1->OnClick = [this](TObject* Sender) { BitBtn1Click(Sender); };
  BitBtn2->OnClick = [this](TObject* Sender) { BitBtn2Click(Sender); };

  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  // A visit ends with the form, not with each dialog or message box the form itself shows.
  OnHide = [this](TObject*) { endVisit(); };
}

TFeeSplitF::~TFeeSplitF() {
  if (visitOpen_ && DM2 && DM2->QNDatabase->InTransaction()) DM2->QNDatabase->Rollback();
}

TdcNavButton* TFeeSplitF::navButton(int Index) const { return dcDBNavigator1->Buttons()->GetButton(Index); }

bool TFeeSplitF::mayChange() const { return ActiveFunctionRights[kFeeSplitRight] == "Y"; }

AnsiString TFeeSplitF::dummyText() const { return Trim(DummyClient) + "-" + Trim(DummySuffix); }

void TFeeSplitF::FormActivate(TObject*) {
  // An activation that arrives after the form was closed opens no visit.
  if (visitOpen_ || Picker || !Visible()) return;
  saved_ = false;
  if (Trim(ReceptorClient).empty()) {
    openVisit();
    return;
  }
  // Nothing to show when the receptor has no dummy and none is given: the visit ends.
  if (!openReceptor()) qn::ui::postCall(this, [this] { Close(); });
}

bool TFeeSplitF::openSplitFile() {
  try {
    FSplit->SetTableName(DataDir + "\\fsplit.qf;RES:FEESPLIT");
    FSplit->Open();
  } catch (const std::exception&) {
    ShowErrorBox("Unable to open the Fee Split file.Please Contact Vantor, Inc. for assistance.");
    return false;
  }
  return true;
}

bool TFeeSplitF::openVisit() {
  if (visitOpen_) return true;
  if (!openSplitFile()) return false;
  try {
    FSplit->SetIndexName("1");
    Cases->SetTableName(DataDir + "\\YCase.qf;RES:YCASE");
    Cases->Open();
    Cases->SetIndexName("1");
    DM2->QNDatabase->StartTransaction();
  } catch (const std::exception& e) {
    FSplit->Close();
    Cases->Close();
    ShowErrorBox("Unable to open a needed file or start a Btrieve transaction.\r\r" + AnsiString(e.what()) +
                 "\r\rPlease Call Vantor, Inc. for assistance.");
    return false;
  }
  visitOpen_ = true;
  showDummy();
  return true;
}

void TFeeSplitF::showDummy() {
  Label1->SetCaption(Trim(DummyClient).empty() ? AnsiString() : "Receptors of the Dummy " + dummyText());
  const AnsiString client = Format("%-7s", {Trim(DummyClient)}), suffix = Format("%7s", {Trim(DummySuffix)});
  FSplit->SetRange({client, suffix}, {client, suffix});
  FSplit->First();
  MakeInitialTotalCalcs();
}

void TFeeSplitF::endVisit() {
  if (!visitOpen_ || closing_) return;
  closing_ = true;
  if (FSplit->State() != dsBrowse) FSplit->Cancel();
  FSplit->First();
  if (!Trim(DummyClient).empty() && FSplit->Eof() && AskYesNo("Remove this case's status as a Dummy?"))
    writeStatus(DummyClient, DummySuffix, Format("%-1s", {AnsiString(" ")}));
  TtbDatabase& database = *DM2->QNDatabase;
  try {
    if (database.InTransaction()) {
      if (saved_)
        database.Commit();
      else
        database.Rollback();
    }
  } catch (const std::exception& e) {
    ShowErrorBox("Your changes cannot be saved at this time.  Error:\r" + AnsiString(e.what()));
  }
  FSplit->Close();
  Cases->Close();
  closeLookups();
  visitOpen_ = false;
  closing_ = false;
}

void TFeeSplitF::FormClose(TObject*, TCloseAction&) { endVisit(); }

void TFeeSplitF::MakeInitialTotalCalcs() {
  feeTotal_ = costTotal_ = 0;
  if (FSplit->Active()) {
    const TBookmarkStr at = FSplit->Bookmark();
    for (FSplit->First(); !FSplit->Eof(); FSplit->Next()) {
      feeTotal_ += allocation::ScaledValue(FSplit->FieldByName("FeePerCent")->AsFloat(), 4);
      costTotal_ += allocation::ScaledValue(FSplit->FieldByName("CostPerCent")->AsFloat(), 4);
    }
    if (!at.empty()) FSplit->SetBookmark(at);
  }
  showTotals();
}

void TFeeSplitF::showTotals() {
  dcDBGrid1->ColumnByName("FeePerCent").SetFooterValue(allocation::ScaledText(feeTotal_, 4));
  dcDBGrid1->ColumnByName("CostPerCent").SetFooterValue(allocation::ScaledText(costTotal_, 4));
}

void TFeeSplitF::PercentValidate(TField* Sender) {
  const int64_t value = allocation::ScaledValue(Sender->AsFloat(), 4);
  if (value >= 0 && value <= allocation::WholeSplit) return;
  MessageDlg("Must be between 0 and 100", mtError, {mbOK}, 0);
  throw EAbort("");
}

void TFeeSplitF::BitBtn1Click(TObject*) {
  saved_ = true;
  Close();
}

void TFeeSplitF::BitBtn2Click(TObject*) {
  if (MessageDlg("You have elected to redistribute split percentages\rso that each receptor case incurs an equal share "
                 "of the total.\r\rAre you SURE this is what you want to do?",
                 mtConfirmation, {mbYes, mbNo}, 0) != mrYes)
    return;
  if (!openVisit()) return;
  const AnsiString client = Trim(DummyClient), suffix = Trim(DummySuffix);
  int n = 0;
  try {
    for (FSplit->First(); !FSplit->Eof(); FSplit->Next())
      if (Trim(field(FSplit, "DummyClient")) == client && Trim(field(FSplit, "DummyCase")) == suffix) ++n;
  } catch (const std::exception& e) {
    ShowErrorBox("Quillon is unable to perform this function at this time.\rError:  " + AnsiString(e.what()) + kContact);
    return;
  }
  if (n == 0) {
    ShowInformationBox("Unable to find any receptors!");
    return;
  }
  if (DM) DM->StartLockRetry(kLockInterval, LockText);
  const std::vector<int64_t> split = allocation::EqualSplit(n);
  try {
    int row = 0;
    for (FSplit->First(); !FSplit->Eof() && row < n; FSplit->Next()) {
      if (Trim(field(FSplit, "DummyClient")) != client || Trim(field(FSplit, "DummyCase")) != suffix) continue;
      FSplit->Edit();
      // Whole ten-thousandths, which the 4-decimal fields hold exactly.
      for (const char* name : {"FeePerCent", "CostPerCent"})
        FSplit->FieldByName(name)->SetAsString(allocation::ScaledText(split[row], 4));
      FSplit->Post();
      ++row;
    }
  } catch (const EAbort&) {
    // The user gave up on a locked row: the split stops there.
    if (FSplit->State() != dsBrowse) FSplit->Cancel();
  } catch (const std::exception& e) {
    if (FSplit->State() != dsBrowse) FSplit->Cancel();
    ShowErrorBox("Unable to perform this function at this time.\rError:  " + AnsiString(e.what()) +
                 "\rPlease try this function at a later time or contact Vantor, Inc. for assistance.");
  }
  MakeInitialTotalCalcs();
  if (DM2->QNDatabase->InTransaction())
    ShowInformationBox("Click the Save button (Alt-V) to commit to the changes you have made.");
}

void TFeeSplitF::EditReceptorClick(TObject*) {
  if (!openVisit() || FSplit->Eof() && FSplit->Bof()) return;
  FSplit->Edit();
  runRecordDialog("Receptor " + Trim(field(FSplit, "ReceptorClient")) + "-" + Trim(field(FSplit, "ReceptorCase")),
                  DialogFields::Receptor);
  if (FSplit->State() != dsBrowse) FSplit->Cancel();
  MakeInitialTotalCalcs();
}

bool TFeeSplitF::writeStatus(const AnsiString& client, const AnsiString& suffix, const AnsiString& status) {
  try {
    if (!Cases->FindKey({Format("%-7s", {Trim(client)}), Format("%7s", {Trim(suffix)})})) return false;
    Cases->Edit();
    Cases->FieldByName("Case Status 2")->SetAsString(status);
    Cases->Post();
    return true;
  } catch (const std::exception&) {
    if (Cases->State() != dsBrowse) Cases->Cancel();
    return false;
  }
}

void TFeeSplitF::AddReceptorClick(TObject*) {
  if (!mayChange()) return ShowInformationBox(kNoAccess);
  if (!DummyCalledUp)
    return ShowInformationBox(
        "In order to assign additional receptors to this dummy\ryou must first call up the dummy on the Case Entry\rand "
        "Maintenance Screen.\r\rYou are permitted to delete existing receptors\ror change their fee or cost "
        "percentages.");
  if (!openVisit()) return;
  FSplit->Append();
  FSplit->FieldByName("DummyClient")->SetAsString(Format("%-7s", {Trim(DummyClient)}));
  FSplit->FieldByName("DummyCase")->SetAsString(Format("%7s", {Trim(DummySuffix)}));
  FSplit->FieldByName("FeePerCent")->SetAsString("0");
  FSplit->FieldByName("CostPerCent")->SetAsString("0");
  FSplit->BeforePost = [this](TDataSet* DataSet) {
    if (DataSet->State() != dsInsert) return;
    const AnsiString client = Trim(field(DataSet, "ReceptorClient")), suffix = Trim(field(DataSet, "ReceptorCase"));
    if (client.empty() || suffix.empty()) {
      ShowInformationBox("A required value is missing.  This record will not be saved.");
      throw EAbort("");
    }
    if (!Cases->FindKey({Format("%-7s", {client}), Format("%7s", {suffix})})) {
      ShowInformationBox("Case " + client + "-" + suffix + " does not exist\rand may not be assigned as a Receptor");
      throw EAbort("");
    }
    const AnsiString status = field(Cases, "Case Status 2");
    if (!status.empty() && AnsiString("CFND").find(status) != AnsiString::npos &&
        !AskYesNo("Assigning this matter the status of Receptor\rwill remove its status as a " + statusName(status) +
                  " matter.\r\rDo you wish to continue?"))
      throw EAbort("");
    if (receptorOfAnotherDummy(client, suffix)) {
      ShowInformationBox("This receptor is assigned to another matter and\rmay not be assigned to " + dummyText() +
                         ".\r\rPlease call Vantor, Inc. for assistance.");
      throw EAbort("");
    }
    DataSet->FieldByName("ReceptorCase")->SetAsString(Format("%7s", {suffix}));
    if (!writeStatus(client, suffix, "R")) {
      ShowErrorBox("Quillon was unable to assign a new\rbilling status code to " + client + "-" + suffix +
                   ".\r\rNone of your changes will be saved.\r\rPlease contact Vantor, Inc. for assistance");
      throw EAbort("");
    }
  };
  runRecordDialog("Add Receptor for " + dummyText(), DialogFields::Receptor);
  FSplit->BeforePost = nullptr;
  if (FSplit->State() != dsBrowse) FSplit->Cancel();
  MakeInitialTotalCalcs();
}

bool TFeeSplitF::receptorOfAnotherDummy(const AnsiString& client, const AnsiString& suffix) {
  // One dummy per receptor.
  AnsiString dummyClient, dummySuffix;
  return dummyOf(client, suffix, dummyClient, dummySuffix) &&
         (dummyClient != Trim(DummyClient) || dummySuffix != Trim(DummySuffix));
}

void TFeeSplitF::DeleteReceptorClick(TObject*) {
  if (!mayChange()) return ShowInformationBox(kNoAccess);
  if (!openVisit()) return;
  if (FSplit->Eof() && FSplit->Bof()) return ShowInformationBox("No receptors currently exist!");
  if (!AskYesNo("Are you sure you want to\rdelete this receptor?")) return;
  const AnsiString client = field(FSplit, "ReceptorClient"), suffix = field(FSplit, "ReceptorCase");
  if (DM) DM->StartLockRetry(kLockInterval, LockText);
  try {
    FSplit->Delete();
  } catch (const std::exception&) {
    ShowErrorBox("Unable to delete this receptor." + kContact);
    return;
  }
  if (!writeStatus(client, suffix, " "))
    ShowErrorBox("Quillon was unable to remove the receptor status of " + Trim(client) + "-" + Trim(suffix) +
                 ".\r\rPlease call up this matter and change its Case Billing Status 2 to a blank.");
  MakeInitialTotalCalcs();
}

void TFeeSplitF::FeeSplit_EditError(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action) {
  // Only a lock is worth waiting for: any other failure would fail the same way again.
  if (E.Message().compare(0, kLockStatus.size(), kLockStatus) != 0) {
    Action = daAbort;
    ShowErrorBox("Your changes cannot be saved at this time.  Error:\rAn error was encountered while attempting to "
                 "modify data:\r\r" +
                 E.Message() + "Please contact Vantor, Inc. for assistance.");
    DataSet->Cancel();
    // Closed once the failed write has unwound: the tables close with the form.
    qn::ui::postCall(this, [this] { Close(); });
    return;
  }
  const std::int32_t ahead = untilDeadline();
  if (ahead > kStaleDistance || ahead < -kStaleDistance) {
    if (LockRetryWindow == 0) LockRetryWindow = kLockInterval;
    if (DM) DM->StartLockRetry(LockRetryWindow, LockText);
  }
  if (untilDeadline() > 0) {
    Sleep(kRetryPause);
    Action = daRetry;
    return;
  }
  if (MessageDlg(LockText, mtInformation, {mbRetry, mbCancel}, 0) == mrRetry) {
    LockRetryDeadline = GetTickCount() + LockRetryWindow;
    Action = daRetry;
  } else {
    Action = daAbort;
    DataSet->Cancel();
  }
}

namespace {

// Made when wanted, by its class name.
UnitRegistration unit("dialogs/FeeSplitF", {"framework/ui/Application"}, [] { RegisterClass<TFeeSplitF>(); });

}  // namespace
