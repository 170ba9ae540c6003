#include "dialogs/NarrF.h"

#include "core/Globals.h"
#include "core/LayoutFields.h"
#include "core/TransactionEntry.h"
#include "datagrid/DcTbTable.h"
#include "dialogs/MemoF.h"
#include "dialogs/NarrativeCodes.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/Exception.h"
#include "framework/base/FormVariables.h"
#include "framework/base/StringList.h"
#include "framework/base/StringUtils.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/ui/Color.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/Screen.h"
#include "framework/ui/TabStrip.h"
#include "framework/ui/TextLabel.h"

TNarrF* NarrF = nullptr;

namespace {

UnitRegistration unit("dialogs/NarrF", {"framework/ui/Application"}, [] {
  RegisterClass<TNarrF>();
  RegisterFormVariable(NarrF);
});

constexpr const char* kNarrativeTab = "Narr. code      Narr. description  ";

TextLabel* makeLabel(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left, int top) {
  auto* label = PlaceControl<TextLabel>(owner, parent, left, top, 200, 14);
  label->SetName(name);
  label->SetCaption(caption);
  label->SetVisible(false);
  return label;
}

}  // namespace

TNarrF::TNarrF(TComponent* AOwner) : TCodeLookF(AOwner) {
  SetName("NarrF");
  SetTag(400);
  SetClientHeight(56);
  AddCalculatedText(Codes1_, "codecalc", 4);
  NarrCodes_ = new TdcTbTable(this);
  NarrCodes_->SetName("NarrCodes_");
  NarrCodes_->SetDatabaseName("QNWIN");
  DeclareLayoutFields(NarrCodes_, {"code", "type code", "Description", "transaction type"});

  TabControl1 = PlaceControl<TabStrip>(this, this, 0, 0, 460, 22);
  TabControl1->SetName("TabControl1");
  TabControl1->SetTag(400);
  TabControl1->Tabs()->Add(kNarrativeTab);
  TabControl1->Tabs()->Add("Task");
  TabControl1->Tabs()->Add("Activity");
  TabControl1->SetTabIndex(0);
  TabPanel = PlaceControl<TPanel>(this, this, 0, 22, 460, 10);
  TabPanel->SetName("TabPanel");
  TabPanel->SetBevelOuter(bvNone);
  LabelEBF = makeLabel(this, TabPanel, "LabelEBF", "Electronic billing code(s) required", 4, 0);
  LabelNDesc = makeLabel(this, this, "LabelNDesc", "Narrative Description", 100, 22);
  PanelCover = PlaceControl<TPanel>(this, TabPanel, 300, 0, 10, 10);
  PanelCover->SetName("PanelCover");
  PanelCover->SetBevelOuter(bvNone);

  LabelCode->SetVisible(false);
  TableCode->SetTag(410);
  TableCode->SetBounds(4, 32, 60, 22);
  StringList columns;
  columns.Add("codecalc\t4\tcodecalc\tF");
  columns.Add("Description\t120\tDescription\tF");
  TableCode->SetSelected(&columns);
  TableCode->SetLookupField("codecalc");
  TableCode->SetMaxLength(3);
  TableDesc->SetTag(420);
  TableDesc->SetTabStop(false);
  TableDesc->SetBounds(68, 32, 250, 22);

  InsertBitBtn = PlaceControl<GlyphButton>(this, this, 324, 31, 60, 24);
  InsertBitBtn->SetName("InsertBitBtn");
  InsertBitBtn->SetCaption("&Insert");
  ExpandBitBtn = PlaceControl<GlyphButton>(this, this, 388, 31, 66, 24);
  ExpandBitBtn->SetName("ExpandBitBtn");
  ExpandBitBtn->SetCaption("E&xpand");
  ExpandBitBtn->SetHint("Expand/contract the narrative codes in the description");
  ExpandBitBtn->SetShowHint(true);

  TabControl1->OnChange = [this](TObject* Sender) { TabControl1Change(Sender); };
  InsertBitBtn->OnClick = [this](TObject* Sender) { InsertBitBtnClick(Sender); };
  ExpandBitBtn->OnClick = [this](TObject* Sender) { ExpandBitBtnClick(Sender); };
  for (TdcDBLookupCombo* combo : {TableCode, TableDesc})
    combo->OnDblClick = [this](TObject* Sender) { TableCodeDblClick(Sender); };
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };

  SetTypeCode('N');
  if (Screen->PixelsPerInch() != 120) {
    TabControl1->Tabs()->Put(0, AnsiString(kNarrativeTab) + "        ");
    for (TdcDBLookupCombo* combo : {TableCode, TableDesc}) combo->SetTop(combo->Top() + 3);
    TabPanel->SetHeight(13);
  }
}

TNarrF::~TNarrF() {
  NarrativeList.clear();
  NarrativeListBuilt = false;
  if (NarrF == this) NarrF = nullptr;
}

void TNarrF::FormActivate(TObject*) {
  if (TransactionEntry.MarkNarrativeActivation) TransactionEntry.NarrativePickerActivated = true;
}

void TNarrF::Codes1_CalcFields(TDataSet* DataSet) {
  TCodeLookF::Codes1_CalcFields(DataSet);
  if (TField* code = DataSet->FindField("codecalc")) code->SetAsString(Trim(DataSet->FieldByName("code")->AsString()));
}

void TNarrF::OpenNarrativeCodes() {
  if (opened_) return;
  opened_ = true;
  ++PanelInitStep;
  SetTypeCode('N');
  OpenCodeTables();
}

void TNarrF::BuildNarrativeList() {
  const HourglassCursor hourglass;
  try {
    NarrCodes_->SetTableName(LookupDataDir + "\\YTABLE.QF;RES:SIMPLECD");
    NarrCodes_->SetIndexName("1");
    NarrCodes_->Open();
  } catch (const std::exception&) {
    MessageDlg("Unable to open the Narrative Description file.\rPlease Call Vantor, Inc. for assistance.", mtWarning,
               {mbOK}, 0);
    return;
  }
  try {
    StringList entries;
    NarrCodes_->FindNearest({AnsiString("N")});
    // The nearest key may already be past the narrative codes when there are none.
    for (; !NarrCodes_->Eof() && NarrCodes_->FieldByName("type code")->AsString() == "N"; NarrCodes_->Next())
      entries.Add(NarrativeListEntry(NarrCodes_->FieldByName("code")->AsString(),
                                     NarrCodes_->FieldByName("Description")->AsString(),
                                     NarrCodes_->FieldByName("transaction type")->AsString()));
    entries.Sort();
    NarrativeList.clear();
    for (int i = 0; i < entries.Count(); ++i) NarrativeList.push_back(entries.Strings(i));
    NarrativeListBuilt = true;
    NarrCodes_->Close();
  } catch (const EAbort&) {
    NarrCodes_->Close();
    throw;
  } catch (const std::exception&) {
    NarrCodes_->Close();
    // Told here: the abort that stops the operation wanting the list is silent.
    MessageDlg(AnsiString("A database error was encountered while attempting to") + "\r\n" +
                   "create a narrative code list. " + "Please contact Vantor, Inc. for assistance.",
               mtError, {mbOK}, 0);
    Abort();
  }
}

void TNarrF::TableCodeEnter(TObject*) {}

void TNarrF::TableCodeDblClick(TObject*) {
  if (!Trim(TableCode->Text()).empty() && InsertBitBtn->Enabled()) InsertBitBtnClick(InsertBitBtn);
}

void TNarrF::TableCodeCloseUp(TObject*, TDataSet*, TDataSet*, bool) {
  if (!TransactionEntry.InsertOnCloseUp) return;
  TransactionEntry.InsertOnCloseUp = false;
  InsertBitBtnClick(InsertBitBtn);
}

void TNarrF::InsertBitBtnClick(TObject*) {
  TMemoF* memo = MemoF;
  if (!memo) return;
  if (DescriptionExpanded) {
    MessageDlg("Unable to insert a narrative code\rwhen the narrative description is expanded.", mtInformation, {mbOK},
               0);
  } else if (!Trim(TableCode->Text()).empty()) {
    const NarrativeInsertion inserted =
        InsertNarrativeToken(memo->Description->Text(), memo->Description->SelStart(), Trim(TableCode->Text()));
    memo->Description->SetText(inserted.text);
    UnexpandedDescription = inserted.text;
    // Entering the description selects its text; the caret is put after the token once there.
    if (memo->Description->CanFocus()) memo->Description->SetFocus();
    memo->Description->SetSelStart(inserted.caret);
    memo->Description->SetSelLength(0);
    return;
  }
  if (memo->Description->CanFocus()) memo->Description->SetFocus();
}

void TNarrF::Copy1Click(TObject*) { copiedToken_ = NarrativeToken(Trim(TableCode->Text())); }

void TNarrF::ExpandBitBtnClick(TObject*) {
  TMemoF* memo = MemoF;
  if (!memo) return;
  TdcDBRichEdit* description = memo->Description;
  if (DescriptionExpanded) {
    DescriptionExpanded = false;
    if (!NarrativeViewOnly) description->SetReadOnly(false);
    memo->ShowDescription(UnexpandedDescription, CalendarParameter ? clMaroon : clBlack);
    memo->LabelDescLen->SetColor(clBtnFace);
    memo->LabelDescLen->SetCaption("");
    if (!NarrativeViewOnly) {
      InsertBitBtn->SetEnabled(true);
      if (description->CanFocus()) description->SetFocus();
    }
    return;
  }
  if (!NarrativeListBuilt) BuildNarrativeList();
  InsertBitBtn->SetEnabled(false);
  DescriptionExpanded = true;
  UnexpandedDescription = description->Text();
  const AnsiString expanded = ExpandedDescription(UnexpandedDescription, NarrativeList);
  memo->ShowDescription(expanded, clGreen);
  memo->LabelDescLen->SetCaption(ExpandedLengthText(expanded));
  memo->LabelDescLen->SetColor(clWhite);
  memo->LabelDescLen->SetVisible(true);
  description->SetReadOnly(true);
  description->SetSelStart(0);
  if (!NarrativeViewOnly && description->CanFocus()) description->SetFocus();
}

void TNarrF::TabControl1Change(TObject*) {
  const int tab = TabControl1->TabIndex();
  TableCode->SetMaxLength(NarrativeTabMaxLength(tab));
  InsertBitBtn->SetVisible(tab == 0);
  ExpandBitBtn->SetVisible(tab == 0);
  SetTypeCode(NarrativeTabTypeCode(tab, tab >= 0 ? TabControl1->Tabs()->Strings(tab) : AnsiString(), TransactionEntry.Kind));
  TableCode->SetText("");
  TableDesc->SetText("");
  for (TdcTbTable* table : {Codes1_, Codes2_})
    if (table->Active()) table->Refresh();
  TdcDBLookupCombo* target = TableCode->Enabled() && TableCode->Visible() ? TableCode : TableDesc;
  if (!target->CanFocus()) return;
  target->SetFocus();
  if (tab > 0) target->DropDown();
}
