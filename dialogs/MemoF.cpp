#include "dialogs/MemoF.h"

#include "core/DockedForms.h"
#include "core/Globals.h"
#include "core/SpellEngine.h"
#include "core/TransactionEntry.h"
#include "dialogs/NarrF.h"
#include "dialogs/NarrativeCodes.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/FormVariables.h"
#include "framework/base/TextCase.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/ui/Application.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/FontDialog.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/IntervalTimer.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/MenuItem.h"
#include "framework/ui/Panel.h"
#include "framework/ui/PlaceControl.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/TextLabel.h"
#include "framework/ui/VirtualKeys.h"
#include "platform/os/Files.h"

TMemoF* MemoF = nullptr;
BillableFieldValues BillableFields;
AnsiString PreviousDescription;

namespace {

UnitRegistration unit("dialogs/MemoF", {"framework/ui/Application"}, [] {
  RegisterClass<TMemoF>();
  RegisterFormVariable(MemoF);
});

constexpr int kCalendarDescriptionLimit = 491;

TextLabel* makeLabel(TMemoF* form, TWinControl* parent, const char* name, const char* caption, int left, int top) {
  auto* label = PlaceControl<TextLabel>(form, parent, left, top, 60, 16);
  label->SetName(name);
  label->SetCaption(caption);
  return label;
}

TdcDBSpinEdit* makeValue(TMemoF* form, TWinControl* parent, const char* name, int tag, int left) {
  auto* edit = PlaceControl<TdcDBSpinEdit>(form, parent, left, 4, 74, 22);
  edit->SetName(name);
  edit->SetTag(tag);
  edit->SetText("0.00");
  return edit;
}

BillingCodeCombo* makeCodeCombo(TMemoF* form, TWinControl* parent, const char* name, int tag, int left) {
  auto* combo = PlaceControl<BillingCodeCombo>(form, parent, left, 32, 80, 22);
  combo->SetName(name);
  combo->SetTag(tag);
  combo->SetMaxLength(4);
  combo->SetButtonStyle(cbsDownArrow);
  combo->Items()->Add("<blank>");
  return combo;
}

TSpeedButton* makeSpeedButton(TMemoF* form, TWinControl* parent, const char* name, const char* hint, const char* caption,
                              int left, int top) {
  auto* button = PlaceControl<TSpeedButton>(form, parent, left, top, 22, 22);
  button->SetName(name);
  button->SetHint(hint);
  button->SetShowHint(true);
  button->SetCaption(caption);
  return button;
}

}  // namespace

BillingCodeCombo::BillingCodeCombo(TComponent* AOwner) : TdcDBComboBox(AOwner) {}

void BillingCodeCombo::DropDown() {
  TdcDBComboBox::DropDown();
  if (OnListOpened) OnListOpened(this);
}

void BillingCodeCombo::CloseUp(bool Accept) {
  TdcDBComboBox::CloseUp(Accept);
  if (OnListClosed) OnListClosed(this);
}

TMemoF::TMemoF(TComponent* AOwner) : TForm(AOwner), descriptionFont_(std::make_unique<TFont>()) {
  SetName("MemoF");
  SetTag(500);
  SetBorderStyle(bsNone);
  SetClientWidth(760);
  SetClientHeight(116);
  Panel1 = PlaceControl<TPanel>(this, this, 0, 0, 760, 116);
  Panel1->SetName("Panel1");
  Panel1->SetTag(500);
  Panel1->SetBevelOuter(bvNone);
  Panel1->SetAlign(alClient);

  LabelHours = makeLabel(this, Panel1, "LabelHours", "Hours", 8, 8);
  Hours = makeValue(this, Panel1, "Hours", 540, 52);
  LabelRate = makeLabel(this, Panel1, "LabelRate", "Rate", 136, 8);
  Rate = makeValue(this, Panel1, "Rate", 550, 172);
  LabelAmount = makeLabel(this, Panel1, "LabelAmount", "Amount", 256, 8);
  Amount = makeValue(this, Panel1, "Amount", 560, 308);
  OptFieldsBitBtn = PlaceControl<GlyphButton>(this, Panel1, 392, 3, 140, 25);
  OptFieldsBitBtn->SetName("OptFieldsBitBtn");
  OptFieldsBitBtn->SetCaption("&BILLABLE FIELDS");
  RateInfoBitBtn = PlaceControl<GlyphButton>(this, Panel1, 536, 3, 25, 25);
  RateInfoBitBtn->SetName("RateInfoBitBtn");
  RateInfoBitBtn->SetCaption("?");
  RateInfoBitBtn->SetVisible(false);
  CBNonApplied = PlaceControl<CheckBox>(this, Panel1, 568, 6, 188, 18);
  CBNonApplied->SetName("CBNonApplied");
  CBNonApplied->SetTag(565);
  CBNonApplied->SetCaption("Non-Applied  (minus adds to balance)");
  CBNonApplied->SetVisible(false);
  ToggleTrTypeCB = PlaceControl<CheckBox>(this, Panel1, 568, 6, 188, 18);
  ToggleTrTypeCB->SetName("ToggleTrTypeCB");
  ToggleTrTypeCB->SetCaption("change to indirect ");
  ToggleTrTypeCB->SetVisible(false);

  LabelTask = makeLabel(this, Panel1, "LabelTask", "Task", 8, 36);
  ComboBoxTask = makeCodeCombo(this, Panel1, "ComboBoxTask", 1, 52);
  LabelActivity = makeLabel(this, Panel1, "LabelActivity", "Activity", 140, 36);
  ComboBoxActivity = makeCodeCombo(this, Panel1, "ComboBoxActivity", 2, 192);
  LabelExpense = makeLabel(this, Panel1, "LabelExpense", "Expense", 280, 36);
  LabelExpense->SetVisible(false);
  ComboBoxExpense = makeCodeCombo(this, Panel1, "ComboBoxExpense", 3, 332);
  LabelDescLen = makeLabel(this, Panel1, "LabelDescLen", "", 560, 36);
  LabelDescLen->SetWidth(120);
  LabelDescLen->SetVisible(false);
  SBDescFont = makeSpeedButton(this, Panel1, "SBDescFont", "Change description font", "F", 730, 32);
  SpeedButton1 = makeSpeedButton(this, Panel1, "SpeedButton1", "Expand description entry and edit box", "+", 7, 63);

  Description = PlaceControl<TdcDBRichEdit>(this, Panel1, 34, 60, 722, 52);
  Description->SetName("Description");
  Description->SetTag(570);
  // Entering keeps the caret where the narrative picker or the user put it.
  Description->SetAutoSelect(false);
  Timer1 = new IntervalTimer(this);
  Timer1->SetName("Timer1");
  Timer1->SetInterval(500);
  Timer1->SetEnabled(false);

  Description->OnKeyPress = [this](TObject* Sender, char& Key) { DescriptionKeyPress(Sender, Key); };
  Description->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { DescriptionKeyDown(Sender, Key, Shift); };
  Description->OnChange = [this](TObject* Sender) { DescriptionChange(Sender); };
  Description->OnEnter = [this](TObject* Sender) { DescriptionEnter(Sender); };
  for (BillingCodeCombo* combo : {ComboBoxTask, ComboBoxActivity, ComboBoxExpense}) {
    combo->OnEnter = [this](TObject* Sender) { ComboBoxEnter(Sender); };
    combo->OnExit = [this](TObject* Sender) { ComboBoxExit(Sender); };
    combo->OnListOpened = [this](TObject* Sender) { ComboBoxDropDown(Sender); };
    combo->OnListClosed = [this](TObject* Sender) { ComboBoxCloseUp(Sender); };
  }
  for (TdcDBSpinEdit* value : {Hours, Rate, Amount})
    value->OnChange = [this](TObject* Sender) { TransactionFieldChange(Sender); };
  Hours->OnExit = [this](TObject* Sender) { HoursExit(Sender); };
  Amount->OnExit = [this](TObject* Sender) { AmountExit(Sender); };
  ToggleTrTypeCB->OnClick = [this](TObject* Sender) { ToggleTrTypeCBClick(Sender); };
  RateInfoBitBtn->OnClick = [this](TObject* Sender) { RateInfoBitBtnClick(Sender); };
  OptFieldsBitBtn->OnClick = [this](TObject* Sender) { OptFieldsBitBtnClick(Sender); };
  SBDescFont->OnClick = [this](TObject* Sender) { SBDescFontClick(Sender); };
  SpeedButton1->OnClick = [this](TObject* Sender) { SpeedButton1Click(Sender); };
  Timer1->OnTimer = [this](TObject* Sender) { Timer1Timer(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  FormCreate(this);
}

TMemoF::~TMemoF() {
  if (MemoF == this) MemoF = nullptr;
}

void TMemoF::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  StripFormFrame(Params);
}

void TMemoF::FormCreate(TObject*) {
  scrollBarWidth_ = Screen->metrics().verticalScrollBarWidth;
  comboOffset_ = 9 * PixelsPerInch() / 120 + scrollBarWidth_ - 6;
  for (TdcDBSpinEdit* value : {Hours, Rate, Amount}) value->SetText("0.00");
  BillableFields.Hours = BillableFields.Rate = BillableFields.Amount = "0.00";
  BillableFields.Hold = BillableFields.NoBill = false;
  descriptionFont_->Assign(Description->Font());
}

void TMemoF::FormShow(TObject*) {
  if (!shown_) {
    shown_ = true;
    addPopupItems();
  }
  const int left = PixelsPerInch() == 120 ? 11 : 7;
  SpeedButton1->SetBounds(left, Description->Top() + 3, SpeedButton1->Width(), SpeedButton1->Width());
  if (!CalendarParameter) EBFSetup();
}

void TMemoF::PlaceInCaseWindow(int Top, int FormWidth) {
  SetBounds(1, Top, FormWidth - 15, 0);
  for (TControl* c : std::initializer_list<TControl*>{Hours, Rate, Amount, LabelHours, LabelRate, LabelAmount,
                                                     RateInfoBitBtn, CBNonApplied, ToggleTrTypeCB, OptFieldsBitBtn})
    c->SetVisible(false);
  Description->SetAlign(alClient);
  Description->Font()->SetColor(clMaroon);
  SetColor(clScrollBar);
  Panel1->SetColor(clScrollBar);
  if (CalendarParameter)
    for (TControl* c : std::initializer_list<TControl*>{ComboBoxTask, ComboBoxActivity, ComboBoxExpense}) c->SetVisible(false);
}

void TMemoF::ShowDescription(const AnsiString& Text, TColor Colour) {
  Description->SetText(Text);
  Description->SelectAll();
  Description->changeSelectionAttributes([&](qn::ui::CharacterAttributes& a) {
    a.automaticColor = false;
    a.color = Colour;
  });
  Description->Font()->SetColor(Colour);
  Description->SetSelStart(Description->TextLength());
  Description->SetSelLength(0);
}

// ---- the description's popup menu ----

void TMemoF::addPopupItems() {
  auto* popup = dynamic_cast<TPopupMenu*>(Description->PopupMenu());
  if (!popup) return;
  auto add = [&](const AnsiString& caption, std::function<void(TObject*)> click) {
    auto* item = new TMenuItem(popup);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    popup->Items()->Add(item);
    return item;
  };
  add("Change selection to &upper case\tCtrl+U", [this](TObject* Sender) { ChangeSelectionCase(Sender); })
      ->SetName("UpperCase1");
  add("Change selection to &lower case\tCtrl+L", [this](TObject* Sender) { ChangeSelectionCase(Sender); })
      ->SetName("LowerCase1");
  if (!CalendarParameter) add("&Spell check", [this](TObject* Sender) { SBSpellCheckClick(Sender); })->SetName("SpellCheck1");
  // The rich edit prepares its own entries each time the menu opens; these changes follow.
  auto prepare = popup->OnPopup;
  popup->OnPopup = [this, prepare](TObject* Sender) {
    if (prepare) prepare(Sender);
    adjustPopup();
  };
  adjustPopup();
}

void TMemoF::adjustPopup() {
  auto* popup = dynamic_cast<TPopupMenu*>(Description->PopupMenu());
  if (!popup) return;
  TMenuItem* items = popup->Items();
  if (items->Count() <= 16) return;
  items->Items(11)->Visible = true;
  items->Items(10)->OnClick = [this](TObject* Sender) { SBDescFontClick(Sender); };
  for (auto [index, key] : {std::pair{15, "\tCtrl+F"}, std::pair{16, "\tCtrl+R"}}) {
    TMenuItem* item = items->Items(index);
    if (item->Caption().find('\t') == AnsiString::npos) item->SetCaption(item->Caption() + key);
  }
}

void TMemoF::ChangeSelectionCase(TObject* Sender) {
  const AnsiString selected = Description->SelText();
  if (selected.empty()) {
    MessageDlg("Nothing to do!  Please select some text.", mtError, {mbOK}, 0);
    return;
  }
  if (selected.find('+') != AnsiString::npos) {
    MessageDlg("Text to be edited cannot contain a '+'.", mtError, {mbOK}, 0);
    return;
  }
  const auto* item = dynamic_cast<const TComponent*>(Sender);
  const bool upper = item && item->Name() == "UpperCase1";
  Description->SetSelText(upper ? AnsiUpperCase(selected) : AnsiLowerCase(selected));
}

void TMemoF::SBDescFontClick(TObject*) {
  Description->SelectAll();
  if (const auto chosen = qn::ui::showFontDialog({FontChoice::of(*descriptionFont_)})) {
    chosen->applyTo(*descriptionFont_);
    Description->changeSelectionAttributes([&](qn::ui::CharacterAttributes& a) {
      a.name = chosen->name;
      a.halfPoints = chosen->size * 2;
      a.bold = chosen->style.Contains(fsBold);
      a.italic = chosen->style.Contains(fsItalic);
      a.underline = chosen->style.Contains(fsUnderline);
    });
  }
  Description->SetSelStart(Description->TextLength());
  Description->SetSelLength(0);
}

// ---- spell check and the large editor ----

void TMemoF::SBSpellCheckClick(TObject*) {
  if (DescriptionExpanded) {
    MessageDlg(AnsiString("Please 'unexpand' your description") + "\r\n" + "before running the spell checker.",
               mtInformation, {mbOK}, 0);
    return;
  }
  if (!qn::os::fileExists(ProgramDir + "\\ssceam.tlx")) {
    MessageDlg(SpellFilesMissingText(), mtWarning, {mbOK}, 0);
    return;
  }
  const SpellEngineCalls* engine = LoadedSpellEngine();
  if (!engine) return;
  // The check shows what it marks: the selection and both scroll bars, until it is done.
  const auto checking = [this](bool on) {
    Description->SetHideSelection(!on);
    Description->SetScrollBars(on ? ssBoth : ssVertical);
  };
  checking(true);
  {
    const HourglassCursor hourglass;
    try {
      engine->CheckCtrlDlg(static_cast<std::uint32_t>(Handle()), static_cast<std::uint32_t>(Description->Handle()), 0);
    } catch (...) {
      checking(false);
      throw;
    }
  }
  checking(false);
}

void TMemoF::SpeedButton1Click(TObject*) {
  const auto* main = dynamic_cast<const TForm*>(Application->MainForm());
  const int clientWidth = main ? main->ClientWidth() : ClientWidth();
  const int height = main ? main->Height() : Height();
  const int divisor = FormSizeOption == 0 ? 3 : FormSizeOption == 1 ? 7 : 0;
  Description->EditorPosition.Left = main ? main->Left() : Left();
  Description->EditorPosition.Top = Description->ClientToScreen({0, 0}).Y;
  Description->EditorPosition.Width = clientWidth + (divisor ? clientWidth / divisor : 0);
  Description->EditorPosition.Height = height + (divisor ? height / divisor : 0);
  if (!NarrativeListBuilt && NarrF) NarrF->BuildNarrativeList();
  Description->EditorListLines = NarrativeEditorLines(NarrativeList);
  Description->SetReadOnly(DescriptionExpanded);
  Description->Execute();
  ShowDescription(Description->Text(), DescriptionExpanded ? clGreen : clBlack);
  if (!TransactionEntry.EntryPending) return;
  if (Description->CanFocus()) Description->SetFocus();
  Timer1->SetEnabled(true);
}

void TMemoF::Timer1Timer(TObject*) {
  TransactionEntry.CommitPending = true;
  qn::ui::postKeyStroke(VK_TAB);
  qn::ui::postKeyStroke(VK_RETURN);
  Timer1->SetEnabled(false);
}

// ---- the description's keys ----

void TMemoF::DescriptionKeyPress(TObject*, char& Key) {
  if (Key == '=' && Description->Text().empty()) {
    Key = 0;
    Description->SetText(PreviousDescription);
    Description->SetSelStart(Description->TextLength());
    if (TransactionEntry.PreviousDescriptionHadCodes)
      TransactionEntry.PreviousDescriptionCopied = TransactionEntry.CopiedDescriptionCodes = true;
    return;
  }
  if (TransactionEntry.CapitaliseDescription) Key = AnsiUpperCase(AnsiString(1, Key))[0];
}

void TMemoF::DescriptionKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key != VK_F1) return;
  Key = 0;
  SpeedButton1Click(SpeedButton1);
}

void TMemoF::DescriptionChange(TObject*) {
  if (CalendarParameter) {
    if (Description->TextLength() > kCalendarDescriptionLimit)
      ShowMessage("you have reached the maximum number of characters that you may enter here.");
  } else if (Description->Text().empty()) {
    UnexpandedDescription.clear();
  }
}

void TMemoF::DescriptionEnter(TObject*) {
  const FontChoice font = FontChoice::of(*descriptionFont_);
  Description->changeSelectionAttributes([&](qn::ui::CharacterAttributes& a) {
    a.name = font.name;
    a.halfPoints = font.size * 2;
  });
  if (TransactionEntry.OpenEditorOnEnter) qn::ui::postKeyStroke(VK_F1);
}
