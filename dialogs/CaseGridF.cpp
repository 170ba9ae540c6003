#include "dialogs/CaseGridF.h"

#include <algorithm>

#include "core/Constants.h"
#include "core/DM2.h"
#include "core/Globals.h"
#include "core/LayoutFields.h"
#include "datagrid/FilterDialogForm.h"
#include "dialogs/CaseGridFields.h"
#include "dialogs/CodeChoiceReplace.h"
#include "dialogs/EBFModF.h"
#include "dialogs/FindDlgF.h"
#include "dialogs/STaxRepF.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringList.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"

qn::os::WindowId CaseGridFilterValueWindow = 0;

namespace {

// The grid's columns: field, width in characters, title ("~" begins a title line).
const char* const kColumns[][3] = {
    {"Client Code", "7", "Client"},
    {"Case Suffix", "7", "Suffix"},
    {"AltIDDecsLine1", "44", "Description Line 1~Alternate ID~Responsible Attorneys"},
    {"Types", "4", "T1~T2~T3"},
    {"BCCRate", "5", "FBC~CBC~Rate"},
    {"StatCodesMsg", "5", "St1~St2~Msg"},
    {"FinChgAltFmt", "7", "FinChg~~Bill Fmt"},
    {"SalesTaxText", "14", "Sales Tax~Elec Bill Cd~Ret Transfer"},
    {"DeptCCA", "7", "Dept~CCA~Thresh"},
    {"Budget", "11", "Fee Budg~ Cst Budg~    Ret Min"},
    {"Dates", "9", "Opened~Closed~Last Post"},
};

// The sort choices' indexes without and with the right-justified suffix.
const char* const kSortIndexes[3][2] = {{"4", "1"}, {"3", "3"}, {"5", "6"}};

const char* const kNavigatorCaptions[4] = {"|<", "<", ">", ">|"};

GlyphButton* button(TCaseGridF* form, TWinControl* parent, int left, int top, int width, const char* caption, int tag) {
  auto* b = PlaceControl<GlyphButton>(form, parent, left, top, width, 27);
  b->SetCaption(caption);
  b->SetTag(tag);
  b->Font()->SetColor(clTeal);
  b->OnEnter = [form](TObject* Sender) { form->BitBtnReplaceEnter(Sender); };
  b->OnExit = [form](TObject* Sender) { form->BitBtnReplaceExit(Sender); };
  return b;
}

}  // namespace

TCaseGridF::TCaseGridF(TComponent* AOwner) : TForm(AOwner) {
  SetName("CaseGridF");
  SetCaption("Quillon Case Search and Replace");
  SetPosition(poScreenCenter);
  SetClientWidth(940);
  SetClientHeight(560);

  Case1_ = new TdcTbTable(this);
  Case1_->SetName("Case1_");
  for (const CaseGridCalculated& field : CaseGridCalculatedFields) AddCalculatedText(Case1_, field.name, field.size);
  DeclareLayoutFields(Case1_, CaseGridStoredFields());
  Case1_->OnCalcFields = [this](TDataSet* DataSet) { Case1_CalcFields(DataSet); };
  CaseSource = new TDataSource(this);
  CaseSource->SetDataSet(Case1_);

  dcDBGrid1 = PlaceControl<TdcDBGrid>(this, this, 8, 8, 924, 420);
  dcDBGrid1->SetName("dcDBGrid1");
  dcDBGrid1->Font()->SetSize(7);
  dcDBGrid1->SetUseTFields(false);
  dcDBGrid1->SetReadOnly(true);
  dcDBGrid1->SetTitleLines(3);
  dcDBGrid1->SetRowHeightPercent(300);
  dcDBGrid1->SetDBOptions({dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgRowSelect,
                           dgAlwaysShowSelection, dgWordWrap, dgMultiSelect});
  dcDBGrid1->SetMultiSelectOptions({msoShiftSelect});
  StringList columns;
  for (const auto& column : kColumns) columns.Add(AnsiString(column[0]) + "\t" + column[1] + "\t" + column[2]);
  dcDBGrid1->Selected().Assign(columns);
  dcDBGrid1->OnMultiSelectRecord = [this](TObject* Grid, bool Selecting, bool& Accept) {
    dcDBGrid1MultiSelectRecord(Grid, Selecting, Accept);
  };
  dcDBGrid1->OnEnter = [this](TObject* Sender) { dcDBGrid1Enter(Sender); };
  dcDBGrid1->OnExit = [this](TObject* Sender) { dcDBGrid1Exit(Sender); };

  dcDBNavigator1 = PlaceControl<TdcDBNavigator>(this, this, 8, 434, 160, 25);
  dcDBNavigator1->SetVisibleButtons({nbsFirst, nbsPrior, nbsNext, nbsLast});
  dcFilterDialog1 = new TdcFilterDialog(this);
  dcFilterDialog1->Caption = "Search";
  dcFilterDialog1->Options = FilterOption(fdShowOKCancel) | FilterOption(fdShowValueRangeTab);
  dcFilterDialog1->SetFilterMethod(fdByFilter);
  StringList searched;
  for (const AnsiString& name : CaseGridStoredFields()) searched.Add(name);
  dcFilterDialog1->SelectedFields()->Assign(searched);
  dcFilterDialog1->OnInitDialog = [this](TdcFilterDlg* Dialog) { dcFilterDialog1InitDialog(Dialog); };
  dcFilterDialog1->OnSelectField = [this](TObject* Sender, const AnsiString& FieldName, AnsiString& PictureMask,
                                          TStrings* ComboList) {
    dcFilterDialog1SelectField(Sender, FieldName, PictureMask, ComboList);
  };

  CaseNavigator = PlaceControl<TPanel>(this, this, 180, 434, 130, 27);
  for (int tag = 0; tag < 4; ++tag) {
    CaseNavigatorButtons[tag] = PlaceControl<GlyphButton>(this, CaseNavigator, 2 + tag * 32, 1, 30, 25);
    CaseNavigatorButtons[tag]->SetCaption(kNavigatorCaptions[tag]);
    CaseNavigatorButtons[tag]->Font()->SetColor(clRed);
    CaseNavigatorButtons[tag]->SetTag(tag);
    CaseNavigatorButtons[tag]->OnClick = [this](TObject* Sender) { CaseNavigatorFirstClick(Sender); };
  }
  CaseNavigator->SetVisible(false);

  SearchPanel = PlaceControl<TPanel>(this, this, 330, 434, 602, 80);
  BitBtnFind = button(this, SearchPanel, 6, 6, 90, "S&earch", 100);
  BitBtnReplace = button(this, SearchPanel, 102, 6, 90, "&Replace", 101);
  BitBtn4 = button(this, SearchPanel, 198, 6, 90, "Sho&w all", 102);
  BitBtn4->SetEnabled(false);
  UnselectBitBtn = button(this, SearchPanel, 294, 6, 100, "&Unselect all", 103);
  OnlyFoundCheckBox = PlaceControl<CheckBox>(this, SearchPanel, 6, 44, 240, 17);
  OnlyFoundCheckBox->SetCaption("O&nly show found records on search");
  RadioGroupSort = PlaceControl<RadioButtonGroup>(this, this, 8, 466, 200, 86);
  RadioGroupSort->SetCaption(" sort by ");
  StringList sorts;
  for (const char* item : {"Client Code\\Case Suffix", "Alternate Identifier", "Case Suffix"}) sorts.Add(item);
  RadioGroupSort->SetItems(&sorts);
  RadioGroupSort->SetItemIndex(0);
  CheckBox1 = PlaceControl<CheckBox>(this, this, 216, 530, 180, 17);
  CheckBox1->SetCaption("Right justify Case Suffix");
  BitBtn1 = button(this, this, 600, 524, 100, "&OK", 104);
  BitBtn2 = button(this, this, 710, 524, 110, "&Save to Scan", 105);
  BitBtn3 = button(this, this, 830, 524, 100, "&Cancel", 106);

  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  BitBtn1->OnClick = [this](TObject* Sender) { BitBtn1Click(Sender); };
  BitBtn2->OnClick = [this](TObject* Sender) { BitBtn2Click(Sender); };
  BitBtn3->OnClick = [this](TObject* Sender) { BitBtn3Click(Sender); };
  BitBtnFind->OnClick = [this](TObject* Sender) { BitBtnFindClick(Sender); };
  BitBtnReplace->OnClick = [this](TObject* Sender) { BitBtnReplaceClick(Sender); };
  BitBtn4->OnClick = [this](TObject* Sender) { BitBtn4Click(Sender); };
  UnselectBitBtn->OnClick = [this](TObject* Sender) { UnselectBitBtnClick(Sender); };
  RadioGroupSort->OnClick = [this](TObject* Sender) { RadioGroupSortClick(Sender); };
  CheckBox1->OnClick = [this](TObject* Sender) { CheckBox1Click(Sender); };
}

void TCaseGridF::FormShow(TObject*) {
  SaveToScan = false;
  Case1_->Close();
  Case1_->SetDatabaseName(MasterFolder ? "QNWMAS" : "QNWIN");
  Case1_->SetTableName(DataDir + "\\ycase.qf;RES:YCASE");
  Case1_->SetIndexName("1");
  Case1_->SetFilter(HideClosedCases ? "[Case Status 1] <> 'X'" : "");
  Case1_->SetFiltered(HideClosedCases);
  Case1_->Open();
  if (!ClientCode.empty()) {
    if (CaseSuffix.empty()) Case1_->FindNearest({Format("%-7s", {ClientCode})});
    else Case1_->FindNearest({Format("%-7s", {ClientCode}), Format("%7s", {CaseSuffix})});
  }
  dcDBGrid1->SetDataSource(CaseSource);
  dcDBNavigator1->SetDataSource(CaseSource);
  dcFilterDialog1->SetDataSource(CaseSource);
  SearchPanel->SetVisible(true);
  for (TControl* c : {static_cast<TControl*>(BitBtn2), static_cast<TControl*>(BitBtn3), static_cast<TControl*>(BitBtnReplace)})
    c->SetEnabled(!MasterFolder);
}

void TCaseGridF::Case1_CalcFields(TDataSet* DataSet) { CalculateCaseGridFields(DataSet); }

void TCaseGridF::returnCurrentMatter() {
  ClientCode = Case1_->FieldByName("Client Code")->AsString();
  CaseSuffix = Case1_->FieldByName("Case Suffix")->AsString();
}

void TCaseGridF::BitBtn1Click(TObject*) {
  returnCurrentMatter();
  SetModalResult(mrOk);
}

void TCaseGridF::BitBtn2Click(TObject*) {
  if (SelectedCount() == 0) {
    if (MessageDlg("No cases have been selected!  Do you want to try again?", mtConfirmation, {mbYes, mbNo}, 0) == mrNo)
      SetModalResult(mrCancel);
    return;
  }
  returnCurrentMatter();
  SaveToScan = true;
  SetModalResult(mrOk);
}

void TCaseGridF::BitBtn3Click(TObject*) {
  SaveToScan = false;
  SetModalResult(mrCancel);
}

int TCaseGridF::selectMatches() {
  // The filtered table holds the matches only: selecting all of it selects them, one bookmark each.
  dcDBGrid1->SelectAll();
  return SelectedCount();
}

void TCaseGridF::BitBtnFindClick(TObject*) {
  for (;;) {
    if (!dcFilterDialog1->Execute()) return;
    if (OnlyFoundCheckBox->Checked()) {
      BitBtn4->SetEnabled(true);
      return;
    }
    const int count = selectMatches();
    const TBookmarkStr first = count > 0 ? selectionInOrder().front() : TBookmarkStr();
    dcFilterDialog1->ResetFilter();
    Case1_->SetFiltered(HideClosedCases);
    if (count > 0) {
      Case1_->SetBookmark(first);
      showCaseNavigator(true);
      MessageDlg(std::to_string(count) + " records found that match your criteria." + "\r" +
                     "Use the red scrolling arrows to move from one selected record to another",
                 mtInformation, {mbOK}, 0);
      return;
    }
    Case1_->First();
    if (MessageDlg("No records found that match your criteria.\rSearch again?", mtConfirmation, {mbYes, mbNo}, 0) != mrYes)
      return;
  }
}

void TCaseGridF::BitBtn4Click(TObject*) {
  const TBookmarkStr here = Case1_->Bookmark();
  dcFilterDialog1->ResetFilter();
  Case1_->SetFiltered(HideClosedCases);
  if (CaseNavigator->Visible()) Case1_->SetBookmark(here);
  else Case1_->First();
  BitBtn4->SetEnabled(false);
}

void TCaseGridF::UnselectBitBtnClick(TObject*) {
  dcDBGrid1->UnselectAll();
  showCaseNavigator(false);
}

AnsiString TCaseGridF::sortIndex() const {
  const int item = std::max(0, RadioGroupSort->ItemIndex());
  return kSortIndexes[item][CheckBox1->Checked() ? 1 : 0];
}

void TCaseGridF::RadioGroupSortClick(TObject*) {
  if (!Case1_->Active()) return;
  const TBookmarkStr here = Case1_->Bookmark();
  Case1_->SetIndexName(sortIndex());
  Case1_->SetBookmark(here);
}

void TCaseGridF::CheckBox1Click(TObject* Sender) { RadioGroupSortClick(Sender); }

std::vector<TBookmarkStr> TCaseGridF::selectionInOrder() {
  std::vector<TBookmarkStr> marks = dcDBGrid1->SelectedBookmarks();
  std::sort(marks.begin(), marks.end(), [this](const TBookmarkStr& a, const TBookmarkStr& b) {
    return Case1_->CompareBookmarks(const_cast<char*>(a.data()), const_cast<char*>(b.data())) < 0;
  });
  return marks;
}

void TCaseGridF::showCaseNavigator(bool shown) {
  CaseNavigator->SetVisible(shown);
  navigatorAt_ = shown ? 0 : -1;
  refreshCaseNavigator();
}

void TCaseGridF::refreshCaseNavigator() {
  const int last = SelectedCount() - 1;
  for (int tag = 0; tag < 4; ++tag)
    CaseNavigatorButtons[tag]->SetEnabled(tag < 2 ? navigatorAt_ > 0 : navigatorAt_ >= 0 && navigatorAt_ < last);
}

void TCaseGridF::CaseNavigatorFirstClick(TObject* Sender) {
  const std::vector<TBookmarkStr> marks = selectionInOrder();
  if (marks.empty()) return;
  const int last = static_cast<int>(marks.size()) - 1;
  switch (static_cast<TComponent*>(Sender)->Tag()) {
    case 0: navigatorAt_ = 0; break;
    case 1: navigatorAt_ = std::max(0, navigatorAt_ - 1); break;
    case 2: navigatorAt_ = std::min(last, navigatorAt_ + 1); break;
    default: navigatorAt_ = last; break;
  }
  Case1_->SetBookmark(marks[navigatorAt_]);
  refreshCaseNavigator();
}

void TCaseGridF::dcDBGrid1MultiSelectRecord(TObject*, bool, bool& Accept) {
  Accept = true;
  navigatorAt_ = std::min(navigatorAt_, SelectedCount());
  refreshCaseNavigator();
}

void TCaseGridF::dcDBGrid1Enter(TObject*) { dcDBGrid1->SetTitleColor(clYellow); }
void TCaseGridF::dcDBGrid1Exit(TObject*) { dcDBGrid1->SetTitleColor(clBtnFace); }

void TCaseGridF::BitBtnReplaceEnter(TObject* Sender) { static_cast<TControl*>(Sender)->Font()->SetColor(clNavy); }
void TCaseGridF::BitBtnReplaceExit(TObject* Sender) { static_cast<TControl*>(Sender)->Font()->SetColor(clTeal); }

void TCaseGridF::dcFilterDialog1InitDialog(TdcFilterDlg* Dialog) {
  CaseGridFilterValueWindow = Dialog->FilterValueEdit->Handle();
}

void TCaseGridF::dcFilterDialog1SelectField(TObject*, const AnsiString& FieldName, AnsiString&, TStrings* ComboList) {
  if (FieldName != "Sales Tax" || !ComboList) return;
  ComboList->Add("Yes");
  ComboList->Add("No");
}

void TCaseGridF::BitBtnReplaceClick(TObject*) {
  FindDlgF->SelectedRows = SelectedCount();
  FindDlgF->runModal();
  if (FindDlgF->Confirmed) ReplaceInCases(FindDlgF->FieldPosition, FindDlgF->MaxLength);
}

bool TCaseGridF::ReplaceInCases(int FieldPosition, int MaxLength) {
  TFindDlgF& dialog = *FindDlgF;
  const ReplaceKind kind = ReplaceKindOf({FieldPosition, MaxLength, "", ""});
  const bool packed = kind == ReplaceKind::SalesTax || kind == ReplaceKind::ElectronicBilling;
  CaseReplaceOrder order{FieldPosition, MaxLength, packed ? dialog.FromIndex : dialog.Edit1->Text(),
                         packed ? dialog.ToIndex : dialog.Edit2->Text()};
  // The audit names a packed code by its setting's text.
  AnsiString found = order.Find, replaced = order.New;
  if (packed) {
    CodeChoiceReplaceForm* codes = kind == ReplaceKind::SalesTax ? static_cast<CodeChoiceReplaceForm*>(dialog.SalesTaxDialog)
                                                                 : dialog.ElectronicBillingDialog();
    found = codes->FromRadioGroup->Items()->Strings(std::stoi(order.Find));
    replaced = codes->ToRadioGroup->Items()->Strings(std::stoi(order.New));
  }
  const bool selectedOnly = dialog.RadioGroup2->ItemIndex() == TFindDlgF::scopeSelected;
  int count = 0;
  try {
    const HourglassCursor busy;
    count = ::ReplaceInCases(Case1_, DM2->QNDatabase, order, selectedOnly ? dcDBGrid1->SelectedBookmarks() : std::vector<TBookmarkStr>{});
  } catch (const std::exception&) {
    Case1_->Refresh();
    MessageDlg(AnsiString(" Unable to execute find and replace.  If this condition persists,") + "\r" +
                   "please contact Vantor, Inc. for assistance.",
               mtError, {mbOK}, 0);
    return false;
  }
  Case1_->Refresh();
  ReplaceAuditLines.resize(ReplaceAuditCount - 1);
  ReplaceAuditLines.push_back("Global Search and Replace of " + dialog.ComboBox1->Text() + ":");
  ReplaceAuditLines.push_back("  " + found + " replaced with " + replaced);
  ReplaceAuditCount += 2;
  MessageDlg(std::to_string(count) + " occurrences have been changed.", mtInformation, {mbOK}, 0);
  return true;
}

namespace {

UnitRegistration unit("dialogs/CaseGridF", {"recordmgr/Sessions", "framework/ui/Application"},
                      [] { RegisterClass<TCaseGridF>(); });

}  // namespace
