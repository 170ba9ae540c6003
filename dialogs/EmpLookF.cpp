#include "dialogs/EmpLookF.h"

#include <algorithm>

#include "core/DM.h"
#include "core/DockedForms.h"
#include "core/Globals.h"
#include "core/LayoutFields.h"
#include "core/LookupComboHelpers.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/CodeLookF.h"
#include "dialogs/LookupComboPlacing.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSource.h"
#include "framework/db/Field.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/VirtualKeys.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TextLabel.h"

namespace {

UnitRegistration unit("dialogs/EmpLookF", {"framework/ui/Application"}, [] { RegisterClass<TEmpLookF>(); });

constexpr int kNameSize = 37;
constexpr int kMainWindowTag = 100;
constexpr const char* kActiveFilter = "[Unassigned] <> 'N'";

TdcTbTable* makeEmployeeTable(TEmpLookF* form, const char* name) {
  auto* table = new TdcTbTable(form);
  table->SetName(name);
  table->SetDatabaseName("QNWIN");
  AddCalculatedText(table, "LastCommaFirst", kNameSize);
  DeclareLayoutFields(table, {"Employee Code", "AutoIncrement", "Employee First Name", "Employee Last Name",
                              "Unassigned"});
  table->OnCalcFields = [form](TDataSet* d) { form->Emp1_CalcFields(d); };
  return table;
}

TdcDBLookupCombo* makeCombo(TEmpLookF* form, const char* name, int left, int width, TDataSet* table,
                            const char* field, std::initializer_list<const char*> columns) {
  return PlaceLookupCombo(form, name, 2, left, 4, width, 22, table, field, columns);
}

bool inactive(const AnsiString& unassigned) {
  const AnsiString value = Trim(unassigned);
  return !value.empty() && value[0] == 'N';
}

}  // namespace

TEmpLookF::TEmpLookF(TComponent* AOwner) : TForm(AOwner) {
  SetName("EmpLookF");
  SetBorderStyle(bsNone);
  SetClientHeight(30);
  Emp1_ = makeEmployeeTable(this, "Emp1_");
  Emp2_ = makeEmployeeTable(this, "Emp2_");
  Emp1Src = new TDataSource(this);
  Emp1Src->SetName("Emp1Src");
  Emp1Src->SetDataSet(Emp1_);
  Emp2Src = new TDataSource(this);
  Emp2Src->SetName("Emp2Src");
  Emp2Src->SetDataSet(Emp2_);
  Label1 = PlaceControl<TextLabel>(this, this, 4, 2, 90, 14);
  Label1->SetName("Label1");
  Label1->SetCaption("Coordinating");
  Label2 = PlaceControl<TextLabel>(this, this, 4, 14, 90, 14);
  Label2->SetName("Label2");
  Label2->SetCaption("Attorney");
  CCACode = makeCombo(this, "CCACode", 100, 70, Emp1_, "Employee Code",
                      {"Employee Code\t6\tEmployee Code\tF", "LastCommaFirst\t30\tLastCommaFirst\tF"});
  CCACode->SetCharCase(ecUpperCase);
  CCACode->SetMaxLength(4);
  CCAName = makeCombo(this, "CCAName", 176, 300, Emp2_, "LastCommaFirst", {"LastCommaFirst\t37\tLastCommaFirst\tF"});

  CCACode->OnEnter = [this](TObject* Sender) { CCACodeEnter(Sender); };
  CCACode->OnDropDown = [this](TObject* Sender) { CCACodeDropDown(Sender); };
  for (TdcDBLookupCombo* combo : {CCACode, CCAName})
    combo->OnCloseUp = [this](TObject* S, TDataSet* L, TDataSet* F, bool M) { CCACodeCloseUp(S, L, F, M); };
  CCACode->OnKeyUp = [this](TObject* Sender, WORD& Key, TShiftState Shift) { CCACodeKeyUp(Sender, Key, Shift); };
  CCACode->OnChange = [this](TObject* Sender) { CCACodeChange(Sender); };
  OnMouseWheel = [this](TObject* Sender, TShiftState Shift, int Delta, TPoint At, bool& Handled) {
    FormMouseWheel(Sender, Shift, Delta, At, Handled);
  };
  FormCreate(this);
}

TEmpLookF::~TEmpLookF() { FormDestroy(this); }

void TEmpLookF::FormCreate(TObject*) {
  HighlightLookupCombos(this);
  SetColor(clScrollBar);
  const auto* main = Application ? dynamic_cast<const TComponent*>(Application->MainForm()) : nullptr;
  SetWidth(main && main->Name() == "ClientF" ? 547 : 647);
}

void TEmpLookF::FormDestroy(TObject*) {
  // Closing cannot be refused here; a failure only means the table is gone already.
  try {
    Emp1_->Close();
    Emp2_->Close();
  } catch (const std::exception&) {
  }
  if (Application && Application->Terminated()) {
    InactiveEmployeeCodes.clear();
    InactiveEmployeeNames.clear();
  }
}

void TEmpLookF::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  if (Params.WinClassName != "TOptFieldsF") StripFormFrame(Params);
}

void TEmpLookF::FormMouseWheel(TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; }

void TEmpLookF::OpenEmployeeTables() {
  try {
    for (TdcTbTable* table : {Emp1_, Emp2_}) {
      if (table->Active()) table->Close();
      table->SetTableName(LookupDataDir + "\\YEMPL.QF;RES:EMP");
      table->SetFiltered(false);
      table->SetFilter("");
      table->SetIndexName(table == Emp1_ ? "1" : "3");
      table->Open();
      if (table == Emp1_ && !HasInactiveEmployees()) LoadInactiveEmployees();
      table->SetFilter(kActiveFilter);
      table->SetFiltered(true);
    }
  } catch (const std::exception&) {
    CodeTablesOpenFailed = true;
    MessageDlg("Unable to open the employee file.\rPlease Call Vantor, Inc. for assistance.", mtWarning, {mbOK}, 0);
    Application->Terminate();
  }
}

void TEmpLookF::LoadInactiveEmployees() {
  InactiveEmployeeCodes.clear();
  InactiveEmployeeNames.clear();
  for (Emp1_->First(); !Emp1_->Eof(); Emp1_->Next()) {
    if (!inactive(Emp1_->FieldByName("Unassigned")->AsString())) continue;
    InactiveEmployeeCodes.push_back(Trim(Emp1_->FieldByName("Employee Code")->AsString()));
    InactiveEmployeeNames.push_back(Emp1_->FieldByName("LastCommaFirst")->AsString());
  }
  Emp1_->First();
}

void TEmpLookF::Emp1_CalcFields(TDataSet* DataSet) {
  calculateLastCommaFirst(DataSet, "Employee Last Name", "Employee First Name");
}

void TEmpLookF::EnterLookupField(TWinControl* Control) {
  auto* combo = dynamic_cast<TdcDBLookupCombo*>(Control);
  if (!combo) return;
  combo->SelectAll();
  SetLookupComboMatch(combo, true);
}

void TEmpLookF::CCACodeEnter(TObject* Sender) { EnterLookupField(dynamic_cast<TWinControl*>(Sender)); }

void TEmpLookF::CCACodeDropDown(TObject* Sender) {
  if (auto* combo = dynamic_cast<TControl*>(Sender)) SetLookupComboMatch(combo, true);
}

void TEmpLookF::CCACodeCloseUp(TObject*, TDataSet*, TDataSet*, bool) {}

void TEmpLookF::CCACodeKeyUp(TObject*, WORD& Key, TShiftState) { LookupComboKeyPress(CCACode, Key); }

void TEmpLookF::CCACodeChange(TObject*) {
  if (!MatterLoaded && !HeaderEditsShown) return;
  const AnsiString text = CCACode->Text();
  if (CCACode->Focused() && CCACode->SelStart() == 4 && text.size() == 4) {
    SetLookupComboMatch(CCACode, false);
    CCACode->DropDownList()->SetVisible(false);
    qn::ui::postKeyStroke(VK_TAB);
  }
  if (Application->Terminated()) return;
  const TForm* active = Screen->activeForm();
  if (active && active->Tag() != kMainWindowTag) return;
  if (!Emp1_->Active()) return;
  if (Trim(text).empty()) {
    CCAName->SetText("");
    return;
  }
  showTypedCode(text);
}

void TEmpLookF::showTypedCode(const AnsiString& Typed) {
  const AnsiString typed = Trim(Typed);
  const bool found = Emp1_->FindKey({Typed});
  if (found && Trim(Emp1_->FieldByName("Employee Code")->AsString()) == typed) {
    CCAName->SetText(Emp1_->FieldByName("LastCommaFirst")->AsString());
  } else {
    // The list leaves inactive employees out, yet a code stored before the employee left still
    // shows its name.
    CCAName->SetText(CodeNotFoundText);
    const auto at = std::find(InactiveEmployeeCodes.begin(), InactiveEmployeeCodes.end(), typed);
    if (at != InactiveEmployeeCodes.end())
      CCAName->SetText(InactiveEmployeeNames[static_cast<std::size_t>(at - InactiveEmployeeCodes.begin())]);
  }
  if (!found) return;
  try {
    Emp2_->GotoCurrent(*Emp1_);
  } catch (const std::exception&) {
  }
}
