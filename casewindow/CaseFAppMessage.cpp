// The main window's key hook. Every key of the program's windows and every left-button release
// passes it first: the Alt+letter commands of the mode (KeyDispatchTables.h), the first letters
// typed into the header's client and suffix lookups, which narrow their lists, F8 in the
// narrative box, and the releases on a few controls. The search-value edit of the case grid's
// filter dialog refuses keys while no field is chosen.
#include <cctype>

#include "casewindow/CaseF.h"
#include "casewindow/ClientCaseLookF1.h"
#include "casewindow/HostedPanels.h"
#include "casewindow/KeyDispatchTables.h"
#include "core/DM.h"
#include "core/Globals.h"
#include "dialogs/CaseGridF.h"
#include "dialogs/MemoF.h"
#include "dialogs/NarrF.h"
#include "editors/DBLookupCombo.h"
#include "editors/DBRichEdit.h"
#include "framework/base/StringUtils.h"
#include "framework/db/Field.h"
#include "framework/db/Variant.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/Messages.h"
#include "framework/ui/SafeDispatch.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// The control a table row names: a control of the main window, or of the hosted panel (and the
// dialog it owns) the row gives. nullptr when any of them is missing.
TControl* namedControl(TComponent* mainWindow, const char* panel, const char* name) {
  TComponent* owner = mainWindow;
  if (panel) {
    owner = Application;
    const AnsiString path = panel;
    std::size_t from = 0;
    while (owner) {
      const std::size_t dot = path.find('.', from);
      owner = owner->FindComponent(path.substr(from, dot == AnsiString::npos ? AnsiString::npos : dot - from));
      if (dot == AnsiString::npos) break;
      from = dot + 1;
    }
  }
  return owner ? dynamic_cast<TControl*>(owner->FindComponent(name)) : nullptr;
}

template <std::size_t N>
const AltKeyRow* rowOf(const std::array<AltKeyRow, N>& rows, char letter) {
  for (const AltKeyRow& row : rows)
    if (row.letter == letter) return &row;
  return nullptr;
}

// Clicks the row's button when it exists and the row's condition holds; answers whether it did.
bool clickRow(TComponent* mainWindow, const AltKeyRow& row) {
  TControl* button = namedControl(mainWindow, row.panel, row.control);
  if (!button) return false;
  const bool clicks = row.when == ClickWhen::Always || (row.when == ClickWhen::Enabled && button->Enabled()) ||
                      (row.when == ClickWhen::Visible && button->Visible());
  if (clicks) button->Click();
  return clicks;
}

// The letter or digit of an Alt key-down; 0 for any other key (the numeric pad's keys among them).
char altLetterOfKey(std::intptr_t key) {
  return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ? static_cast<char>(key) : 0;
}

// The character a key types as the header's lists read it: digits of both kinds, letters, the
// full stop of both keys and the minus; 0 for keys that type nothing (arrows, Delete, F-keys).
char typedCharacter(WORD key) {
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return static_cast<char>('0' + (key - VK_NUMPAD0));
  if (key == 190 || key == VK_DECIMAL) return '.';
  if (key == 189) return '-';
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return static_cast<char>(key);
  return 0;
}

bool wholeTextSelected(const TCustomEdit* edit) {
  return edit->SelLength() == static_cast<int>(edit->Text().size());
}

// A first letter or digit typed over the whole text of a client lookup narrows its table to the
// keys from that character up to the next one; the header's first exit, close-up or locate takes
// the range away again.
void narrowClientList(const TdcDBLookupCombo* combo, TdcTbTable* clients, bool& rangePending, char typed) {
  if (typed < '0' || typed > 'z' || !wholeTextSelected(combo) || !clients || !clients->Active()) return;
  clients->SetRange({AnsiString(1, typed)}, {AnsiString(1, static_cast<char>(typed + 1))});
  rangePending = true;
}

void setSuffixRange(TdcTbTable* cases, const AnsiString& start, const VariantArray& end) {
  cases->SetRange({start}, end);
  cases->First();
  CaseRangeActive = true;
  CaseRangeClient.clear();
  CaseRangeStart = start;
  CaseRangeEnd = "ZZZZZZZ";
  CaseRangeIndex = cases->IndexName();
}

// The suffix list without a client: alphabetic order (index 5) is narrowed to the suffixes from
// the first one or two characters typed; numeric order (index 6) starts its typed suffix anew.
void narrowSuffixList(TdcDBLookupCombo* suffix, char typed) {
  TdcTbTable* cases = DM ? DM->Case1_ : nullptr;
  if (!cases || !cases->Active()) return;
  const AnsiString text = suffix->Text();
  const AnsiString index = cases->IndexName();
  if (!wholeTextSelected(suffix)) {
    if (index == "5" && text.size() == 1 && suffix->SelStart() == 1)
      setSuffixRange(cases, Trim(text) + typed, {AnsiString("ZZZZZZZ"), AnsiString("ZZZZZZZ")});
    return;
  }
  if (index == "5") {
    setSuffixRange(cases, AnsiString(1, typed), {AnsiString("ZZZZZZZ")});
  } else if (index == "6") {
    suffix->SetText("");
    TypedSuffixPrefix.clear();
  }
}

// After the pop-up grid has taken the release (and closed with its row): in the calendar search
// the attorney code takes the picked code; over a shown matter the alternate identifier, which
// lists nothing then, is closed and shown again.
void followPopupPick(TdcDBCustomLookupCombo* combo) {
  qn::ui::postCall(combo, [combo] {
    auto* attorneyCode = FindHostedControl<TdcDBCustomLookupCombo>("RA1F", "CCACode");
    if (CalendarSearchMode && combo == attorneyCode) {
      TDataSet* codes = combo->LookupTable();
      if (codes && codes->Active() && !codes->IsEmpty()) combo->SetText(Trim(codes->FieldByName(combo->LookupField())->AsString()));
      return;
    }
    if (ClientCaseLookF1 && combo == ClientCaseLookF1->AlternateID && ClientCaseLookF1->CaseShown()) {
      if (combo->IsDroppedDown()) combo->CloseUp(false);
      combo->Invalidate();
    }
  });
}

}  // namespace

void TCaseF::AppMessage(TMsg& Msg, bool& Handled) {
  try {
    bool handled = guardFilterValueEntry(Msg);
    // The show handler gives the window its caption: before that the window is still being made.
    if (!handled && !Caption().empty()) {
      switch (Msg.Message) {
        case WM_SYSKEYDOWN:
          // The case-manager letter stays away from the menus but over the case grid. The Alt
          // letters are taken here already: the menus see a key between its key-down and its
          // character, and a letter the mode's table lists is the table's, not a menu's.
          handled = (CaseManagerLetter && std::toupper(static_cast<unsigned char>(CaseManagerLetter)) == Msg.WParam &&
                     !dynamic_cast<TCaseGridF*>(Screen->activeForm())) ||
                    runAltLetter(altLetterOfKey(Msg.WParam));
          break;
        case WM_SYSCHAR:
          handled = runAltLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(Msg.WParam))));
          break;
        case WM_KEYDOWN:
          handled = handleKeyDown(Msg);
          break;
        case WM_LBUTTONUP:
          handleLeftButtonUp(Msg);
          break;
        default:
          break;
      }
    }
    Handled = handled;
  } catch (...) {
    Handled = false;
  }
}

bool TCaseF::guardFilterValueEntry(const TMsg& Msg) {
  if (Msg.Message != WM_KEYDOWN || !Msg.Control || !CaseGridFilterValueWindow) return false;
  if (FindControlByHandle(CaseGridFilterValueWindow) != Msg.Control) return false;
  // The value edit lies on a page of the criteria frame, whose caption names the chosen field.
  TWinControl* fieldSelector = Msg.Control->Parent();
  for (int up = 1; up < 3 && fieldSelector; ++up) fieldSelector = fieldSelector->Parent();
  if (!fieldSelector || !Trim(fieldSelector->Text()).empty()) return false;
  MessageDlg("Please select a field upon which to search before entering a value here.", mtInformation, {mbOK}, 0);
  return true;
}

bool TCaseF::runAltLetter(char Letter) {
  if (!Letter) return false;
  if (CalendarSearchMode) {
    const AltKeyRow* row = rowOf(kCalendarSearchAltKeys, Letter);
    if (row) clickRow(this, *row);
    return row != nullptr;
  }
  if (const AltKeyRow* row = rowOf(kDescriptionsDialogAltKeys, Letter); row && clickRow(this, *row)) return true;
  if (DialogBusy) return false;
  const AltKeyRow* row = CalendarMode ? rowOf(kCalendarAltKeys, Letter) : rowOf(kCaseAltKeys, Letter);
  if (row) clickRow(this, *row);
  return row != nullptr;
}

bool TCaseF::handleKeyDown(TMsg& Msg) {
  const bool shiftDown = GetKeyState(VK_SHIFT) < 0;
  if (SpaceIntoTagCombo(Msg)) return true;
  const WORD key = static_cast<WORD>(Msg.WParam);
  if (key != VK_TAB && key != VK_RETURN) {
    followTypedKey(Msg.Control, key);
    return false;
  }
  return MoveAlongChain(Msg, shiftDown);
}

void TCaseF::followTypedKey(TWinControl* Control, WORD Key) {
  if (Key == VK_F1 + 7) {
    if (MemoF && NarrF && Control == MemoF->Description) NarrF->ExpandBitBtnClick(NarrF->ExpandBitBtn);
    return;
  }
  const char typed = typedCharacter(Key);
  TClientCaseLookF1* header = ClientCaseLookF1;
  if (!typed || !header || !Control || !DM) return;
  if (Control == header->CaseSuffix)
    narrowSuffixList(header->CaseSuffix, typed);
  else if (Control == header->ClientCode)
    narrowClientList(header->ClientCode, DM->Client1_, ClientRangePending, typed);
  else if (Control == header->ClientName)
    narrowClientList(header->ClientName, DM->Client2_, ClientNameRangePending, typed);
}

void TCaseF::handleLeftButtonUp(const TMsg& Msg) {
  if (!Msg.Control) return;
  if (auto* grid = dynamic_cast<TdcPopupGrid*>(Msg.Control)) {
    followPopupPick(grid->Combo());
    return;
  }
  for (const ReleaseRow& row : kReleaseTargets) {
    if (namedControl(this, row.panel, row.control) != Msg.Control) continue;
    switch (row.action) {
      case ReleaseAction::Focus:
        if (Msg.Control->CanFocus()) Msg.Control->SetFocus();
        break;
      case ReleaseAction::EditMatter: {
        TdcTbTable* cases = DM ? DM->Case1_ : nullptr;
        if (MatterLoaded && cases && cases->Active() && cases->State() == dsBrowse) cases->Edit();
        break;
      }
    }
    return;
  }
}
