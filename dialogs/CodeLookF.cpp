#include "dialogs/CodeLookF.h"

#include "core/DockedForms.h"
#include "core/Globals.h"
#include "core/LayoutFields.h"
#include "core/LookupComboHelpers.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/LookupComboPlacing.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
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

int CodeLookDropDownCount = -1;

namespace {

UnitRegistration unit("dialogs/CodeLookF", {"framework/ui/Application"}, [] { RegisterClass<TCodeLookF>(); });

constexpr int kDescCodeSize = 130;
constexpr int kMainWindowTag = 100;

TdcTbTable* makeCodeTable(TCodeLookF* form, const char* name) {
  auto* table = new TdcTbTable(form);
  table->SetName(name);
  table->SetDatabaseName("QNWIN");
  AddCalculatedText(table, "DescCode", kDescCodeSize);
  DeclareLayoutFields(table, {"code", "type code", "Description", "transaction type"});
  table->OnCalcFields = [form](TDataSet* d) { form->Codes1_CalcFields(d); };
  table->SetOnFilterRecord([form](TDataSet* d, bool& accept) { form->Codes1_FilterRecord(d, accept); });
  return table;
}

TDataSource* makeSource(TCodeLookF* form, const char* name, TdcTbTable* table) {
  auto* source = new TDataSource(form);
  source->SetName(name);
  source->SetDataSet(table);
  return source;
}

TdcDBLookupCombo* makeCombo(TCodeLookF* form, const char* name, int left, int width, TDataSet* table,
                            const char* field, std::initializer_list<const char*> columns) {
  auto* combo = PlaceLookupCombo(form, name, 2, left, 4, width, 22, table, field, columns);
  combo->SetDropDownCount(6);
  return combo;
}

// A key of an empty code box, as the first-keys record keeps it: letters lower case unless Shift
// is held.
unsigned char recordedKey(WORD key, TShiftState shift) {
  if (key >= 'A' && key <= 'Z' && !shift.Contains(ssShift)) return static_cast<unsigned char>(key + ('a' - 'A'));
  return static_cast<unsigned char>(key);
}

}  // namespace

TCodeLookF::TCodeLookF(TComponent* AOwner) : TForm(AOwner) {
  SetName("CodeLookF");
  SetBorderStyle(bsNone);
  SetKeyPreview(true);
  SetClientHeight(30);
  Codes1_ = makeCodeTable(this, "Codes1_");
  Codes2_ = makeCodeTable(this, "Codes2_");
  Codes1Src = makeSource(this, "Codes1Src", Codes1_);
  Codes2Src = makeSource(this, "Codes2Src", Codes2_);
  LabelCode = PlaceControl<TextLabel>(this, this, 4, 8, 90, 16);
  LabelCode->SetName("LabelCode");
  LabelCode->SetCaption("Set This Label");
  TableCode = makeCombo(this, "TableCode", 100, 60, Codes1_, "code",
                        {"code\t5\tcode\tF", "Description\t75\tDescription\tF"});
  TableCode->SetMaxLength(2);
  TableCode->SetAutoDropDown(true);
  TableCode->SetShowButton(true);
  TableCode->SetShowMatchText(true);
  TableCode->SetAllowClearKey(true);
  TableDesc = makeCombo(this, "TableDesc", 166, 286, Codes2_, "DescCode", {"DescCode\t75\tDescCode\tF"});

  TableCode->OnChange = [this](TObject* Sender) { TableCodeChange(Sender); };
  for (TdcDBLookupCombo* combo : {TableCode, TableDesc}) {
    combo->OnEnter = [this](TObject* Sender) { TableCodeEnter(Sender); };
    combo->OnCloseUp = [this](TObject* S, TDataSet* L, TDataSet* F, bool M) { TableCodeCloseUp(S, L, F, M); };
  }
  TableCode->OnDropDown = [this](TObject* Sender) { TableCodeDropDown(Sender); };
  TableCode->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { TableCodeKeyDown(Sender, Key, Shift); };
  TableCode->OnKeyUp = [this](TObject* Sender, WORD& Key, TShiftState Shift) { TableCodeKeyUp(Sender, Key, Shift); };
  OnMouseWheel = [this](TObject* Sender, TShiftState Shift, int Delta, TPoint At, bool& Handled) {
    FormMouseWheel(Sender, Shift, Delta, At, Handled);
  };
  FormCreate(this);
}

TCodeLookF::~TCodeLookF() { FormDestroy(this); }

void TCodeLookF::FormCreate(TObject*) {
  HighlightLookupCombos(this);
  SetWidth(460);
  SetTypeCode('O');
}

void TCodeLookF::FormDestroy(TObject*) {
  // Closing cannot be refused here; a failure only means the table is gone already.
  try {
    Codes1_->Close();
    Codes2_->Close();
  } catch (const std::exception&) {
  }
}

void TCodeLookF::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  StripFormFrame(Params);
}

void TCodeLookF::FormMouseWheel(TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; }

void TCodeLookF::SetTypeCode(char Value) {
  if (Value != typeCode_) typeCode_ = Value;
}

void TCodeLookF::OpenCodeTables() {
  try {
    for (TdcTbTable* table : {Codes1_, Codes2_}) {
      if (table->Active()) table->Close();
      table->SetTableName(LookupDataDir + "\\ytable.QF;RES:SIMPLECD");
      table->SetFiltered(false);
      table->Open();
      table->SetIndexName(table == Codes1_ ? "5" : "4");
      table->SetFiltered(true);
    }
  } catch (const std::exception&) {
    CodeTablesOpenFailed = true;
    MessageDlg("Unable to open the file YTable.qf.\rPlease Call Vantor, Inc. for assistance.", mtWarning, {mbOK}, 0);
    Application->Terminate();
  }
}

void TCodeLookF::Codes1_CalcFields(TDataSet* DataSet) {
  DataSet->FieldByName("DescCode")
      ->SetAsString(Trim(DataSet->FieldByName("Description")->AsString()) + "  (" +
                    Trim(DataSet->FieldByName("code")->AsString()) + ")");
}

void TCodeLookF::Codes1_FilterRecord(TDataSet* DataSet, bool& Accept) {
  Accept = DataSet->FieldByName("type code")->AsString() == AnsiString(1, typeCode_);
}

void TCodeLookF::EnterLookupField(TWinControl* Control) {
  auto* combo = dynamic_cast<TdcDBLookupCombo*>(Control);
  if (!combo) return;
  if (CodeLookDropDownCount == -1) CodeLookDropDownCount = combo->DropDownCount();
  SetLookupComboMatch(combo, true);
  combo->SelectAll();
}

void TCodeLookF::TableCodeEnter(TObject* Sender) { EnterLookupField(dynamic_cast<TWinControl*>(Sender)); }

void TCodeLookF::TableCodeDropDown(TObject* Sender) {
  auto* combo = dynamic_cast<TdcDBLookupCombo*>(Sender);
  if (!combo) return;
  combo->SetDropDownCount(CodeLookDropDownCount);
  SetLookupComboMatch(combo, true);
}

void TCodeLookF::TableCodeCloseUp(TObject*, TDataSet*, TDataSet*, bool) {}

void TCodeLookF::TableCodeKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if (Key < 48 || Key > 122) return;
  if (Trim(TableCode->Text()).empty()) {
    LookupComboMatchPair[0] = recordedKey(Key, Shift);
    LookupComboMatchPair[1] = 0;
  } else if (LookupComboMatchPair[0] != 0) {
    LookupComboMatchPair[1] = recordedKey(Key, Shift);
  }
}

void TCodeLookF::TableCodeKeyUp(TObject*, WORD& Key, TShiftState) { LookupComboKeyPress(TableCode, Key); }

void TCodeLookF::TableCodeChange(TObject*) {
  if (!MatterLoaded && !HeaderEditsShown && !CalendarParameter) return;
  const AnsiString text = TableCode->Text();
  const int full = TableCode->MaxLength();
  if (TableCode->Focused() && full > 0 && TableCode->SelStart() == full && static_cast<int>(text.size()) == full) {
    SetLookupComboMatch(TableCode, false);
    TableCode->DropDownList()->SetVisible(false);
    TableDesc->DropDownList()->SetVisible(false);
    qn::ui::postKeyStroke(VK_TAB);
  }
  if (Application->Terminated()) return;
  const TForm* active = Screen->activeForm();
  if (active && active->Tag() != kMainWindowTag) return;
  if (Trim(text).empty()) {
    TableDesc->SetText("");
    return;
  }
  if (Codes1_->Active()) showTypedCode(text);
}

void TCodeLookF::showTypedCode(const AnsiString& Typed) {
  const AnsiString typed = Trim(Typed);
  if (!Codes1_->FindKey({Typed})) {
    TableDesc->SetText(CodeNotFoundText);
    return;
  }
  // The key ignores letter case: the row found may be another code of the same letters, and one
  // with exactly the typed code may follow it.
  const AnsiString wanted = UpperCase(typed);
  for (; !Codes1_->Eof() && UpperCase(Trim(Codes1_->FieldByName("code")->AsString())) == wanted; Codes1_->Next()) {
    if (Trim(Codes1_->FieldByName("code")->AsString()) != typed) continue;
    TableDesc->SetText(Codes1_->FieldByName("DescCode")->AsString());
    Codes2_->GotoCurrent(*Codes1_);
    return;
  }
  TableDesc->SetText(CodeNotFoundText);
}
