// Suffix completion and the header's automatic Tabs: the suffix's key handler works on virtual
// keys, the 25 ms timer repeats the completion while the user types, and the change handlers send
// a Tab through the key route when a code or suffix is full.
#include "core/DM.h"
#include "core/Globals.h"
#include "dialogs/ClientCaseLookF.h"
#include "framework/base/FormatText.h"
#include "framework/base/StringUtils.h"
#include "framework/base/TextCase.h"
#include "framework/db/Field.h"
#include "framework/ui/KeyRoute.h"
#include "framework/ui/VirtualKeys.h"

void TClientCaseLookF::completeSuffix() {
  if (!SuffixTyping || !case1LeftJustSuffix_ || !DM->Case1_->Active()) return;
  const AnsiString current = case1LeftJustSuffix_->AsString();
  const std::size_t n = TypedSuffixPrefix.size();
  if (n == 0 || current.compare(0, n, TypedSuffixPrefix) != 0) return;
  CaseSuffix->SetText(current.substr(0, 7));
  CaseSuffix->SetSelStart(static_cast<int>(n));
  CaseSuffix->SetSelLength(static_cast<int>(7 - n));
}

void TClientCaseLookF::Timer1Timer(TObject*) { completeSuffix(); }

void TClientCaseLookF::CaseSuffixKeyDown(TObject*, WORD& Key, TShiftState) {
  openingNumericList_ = false;
  const AnsiString text = CaseSuffix->Text();
  const bool numeric = ListCasesInNumericOrder;
  const bool allSelected = !text.empty() && CaseSuffix->SelLength() == static_cast<int>(text.size());
  if (Key == VK_RIGHT && (CaseSuffix->SelStart() >= 7 || allSelected)) {
    Key = 0;
    return;
  }
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) Key = static_cast<WORD>('0' + (Key - VK_NUMPAD0));
  if (Key == 189) Key = 45;
  if (Key == 190 || Key == 110) Key = 46;
  if (Key == VK_SPACE && numeric && !Trim(text).empty()) {
    const AnsiString suffix = Format("%7s", {Trim(text).substr(0, 7)});
    const bool client = !Trim(ClientCode->Text()).empty();
    const AnsiString code = Format("%-7s", {Trim(Trim(ClientCode->Text()).substr(0, 7))});
    TdcTbTable* cases = DM->Case1_;
    ClearLookupSelection();
    cases->SetIndexName(client ? "1" : "6");
    if (client)
      cases->SetRange({code, suffix}, {code, AnsiString("ZZZZZZZ")});
    else
      cases->SetRange({suffix, AnsiString()}, {AnsiString("ZZZZZZZ"), AnsiString("ZZZZZZZ")});
    CaseRangeClient = client ? code : AnsiString();
    CaseRangeStart = suffix;
    CaseRangeEnd = "ZZZZZZZ";
    CaseRangeIndex = cases->IndexName();
    CaseRangeActive = true;
    CaseSuffix->SetText(suffix);
    // The Space itself comes as a character after this handler: it is no part of the suffix.
    openingNumericList_ = true;
    if (CaseSuffix->Showing()) {
      CaseSuffix->DropDown();
      cases->Next();
      cases->Prior();
    }
    Key = 0;
    return;
  }
  if ((Key == VK_TAB || Key == VK_RETURN) && numeric) {
    TypedSuffixPrefix.clear();
    return;
  }
  // Tab reaches this handler before it moves the focus: it always goes on, or the suffix could
  // never be left (nor its full-text Tab arrive) in alphabetic order.
  if (Key == VK_TAB) return;
  if (Key == VK_BACK || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN || Key == VK_DELETE) {
    TypedSuffixPrefix.clear();
    SuffixTyping = false;
    if (numeric) CaseSuffix->SetText("");
    return;
  }
  if (Key == VK_LEFT || Key == VK_RIGHT) return;
  if ((Key >= 33 && Key <= 57) || (Key >= 65 && Key <= 127)) {
    SuffixTyping = true;
    // Letters begin anew over a selected text, and in an empty one: what was typed into the
    // suffix before it was left is no part of them.
    if (allSelected || text.empty()) TypedSuffixPrefix.clear();
    TypedSuffixPrefix += UpperCase(AnsiString(1, static_cast<char>(Key)));
    CaseSuffix->SetText(TypedSuffixPrefix);
    CaseSuffix->SetSelStart(static_cast<int>(TypedSuffixPrefix.size()));
    if (!numeric) {
      const TdcSeqSearchOptions options = CaseSuffix->SeqSearchOptions();
      const bool matchText = CaseSuffix->ShowMatchText();
      CaseSuffix->SetSeqSearchOptions({ssoEnabled});
      CaseSuffix->SetShowMatchText(true);
      CaseSuffix->PerformSearch();
      CaseSuffix->SetSeqSearchOptions(options);
      CaseSuffix->SetShowMatchText(matchText);
      // The list's index starts with the left-justified suffix: the nearest key is the first
      // suffix the letters begin, when the combo's search did not reach one.
      const AnsiString current = case1LeftJustSuffix_ ? case1LeftJustSuffix_->AsString() : AnsiString();
      if (current.compare(0, TypedSuffixPrefix.size(), TypedSuffixPrefix) != 0 && DM->Case1_->IndexName() == "5") {
        try {
          DM->Case1_->FindNearest({TypedSuffixPrefix});
        } catch (const EDatabaseError&) {
        }
      }
      completeSuffix();
    }
    Key = 0;
    return;
  }
  if (Key != VK_BACK) Key = 0;
}

void TClientCaseLookF::CaseSuffixChange(TObject*) {
  const AnsiString text = CaseSuffix->Text();
  // The box holds a suffix, seven characters. The lists without a client stand on compound keys,
  // the suffix followed by the client, and a row they take shows its whole key (text set by code
  // passes MaxLength): the client is no part of the suffix and goes, as do letters typed past the
  // seventh in numeric order.
  if (text.size() > 7) {
    CaseSuffix->SetText(text.substr(0, 7));
    return;
  }
  // Emptied (the clear key takes a wholly selected text without the key handler): nothing typed
  // is left to complete.
  if (text.empty()) {
    TypedSuffixPrefix.clear();
    SuffixTyping = false;
  }
  if (text.size() == 7 && CaseSuffix->SelStart() == 7 && text[6] != ' ' && !ListCasesInNumericOrder)
    qn::ui::postKeyStroke(VK_TAB);
}

void TClientCaseLookF::ClientCodeChange(TObject*) {
  if (ClientCode->Text().size() == 7 && ClientCode->SelStart() == 7) qn::ui::postKeyStroke(VK_TAB);
}

void TClientCaseLookF::ClientNameKeyPress(TObject* Sender, char& Key) {
  if (Key == '\r') {
    qn::ui::postKeyStroke(VK_TAB);
    Key = 0;
    return;
  }
  if (Sender != CaseSuffix) return;
  if ((SuffixTyping || openingNumericList_) && Key != '\b') Key = 0;
  openingNumericList_ = false;
}
