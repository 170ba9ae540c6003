// Find and replace of the library's rich edit: always forward from the caret, once around the
// text, stopping where the search began (the wrap stop).
#include "datagrid/Intl.h"
#include "editors/DcCustomRichEdit.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/FindReplaceDialog.h"

int TdcCustomRichEdit::FindText(const AnsiString& Text, int StartPos, int Options, int Length) {
  return TCustomRichEdit::FindText(Text, StartPos, Length, (Options & 1) != 0, (Options & 2) != 0);
}

AnsiString TdcCustomRichEdit::presetFindText() const {
  const AnsiString selected = SelText();
  if (!selected.empty() && selected.find('\r') == AnsiString::npos) return selected;
  return lastFindText_;
}

FindReplaceDialog* TdcCustomRichEdit::makeDialog(bool Replace) {
  auto* dialog = new FindReplaceDialog(this, Replace ? FindReplaceKind::replace : FindReplaceKind::find);
  dialog->HideDirection = !Replace;
  dialog->OnFind = [this, dialog](TObject*) {
    lastFindText_ = dialog->FindText;
    if (!findDialog_) findDialog_ = makeDialog(false);
    findDialog_->FindText = dialog->FindText;
    OnFind();
  };
  dialog->OnReplace = [this, dialog](TObject*) {
    lastFindText_ = dialog->FindText;
    OnReplace();
  };
  dialog->OnClose = [this](TObject*) { SetHideSelection(savedHideSelection_); };
  return dialog;
}

void TdcCustomRichEdit::openFindReplace(FindReplaceDialog*& Dialog, bool Replace) {
  if (!Dialog) Dialog = makeDialog(Replace);
  Dialog->FindText = presetFindText();
  wrapped_ = false;
  wrapStop_ = SelStart();
  const bool anyOpen = (findDialog_ && findDialog_->Showing()) || (replaceDialog_ && replaceDialog_->Showing());
  if (!anyOpen) savedHideSelection_ = HideSelection();
  SetHideSelection(false);
  Dialog->Execute();
}

void TdcCustomRichEdit::FindDialog() { openFindReplace(findDialog_, false); }

void TdcCustomRichEdit::ReplaceDialog() { openFindReplace(replaceDialog_, true); }

void TdcCustomRichEdit::OnFind() { SearchLoop(findDialog_, false, false); }

void TdcCustomRichEdit::OnReplace() {
  SearchLoop(replaceDialog_, true, replaceDialog_->LastAction == FindReplaceAction::replaceAll);
}

bool TdcCustomRichEdit::SearchLoop(FindReplaceDialog* Dialog, bool Replace, bool All) {
  const AnsiString sought = Dialog->FindText;
  const int options = (Dialog->WholeWord ? 1 : 0) | (Dialog->MatchCase ? 2 : 0);
  const auto length = static_cast<int>(sought.size());
  for (;;) {
    if (Replace) {
      const int caret = SelStart();
      if (FindText(sought, caret, options, -1) == caret && SelLength() == length) {
        Edit();
        const AnsiString replacement = Dialog->ReplaceText;
        SetSelText(replacement);
        if (wrapped_) wrapStop_ += static_cast<int>(replacement.size()) - length;
        SetSelStart(caret + static_cast<int>(replacement.size()));
        SetSelLength(0);
      }
    }
    const int caret = SelStart();
    int hit = FindText(sought, caret + 1, options, -1);
    if (wrapped_ && hit > wrapStop_) hit = -1;
    if (!wrapped_ && hit < 0 && caret > 0) {
      hit = FindText(sought, 0, options, -1);
      wrapped_ = true;
      if (hit > wrapStop_) hit = -1;
    }
    if (hit < 0) {
      MessageDlg(dcIntlDefaults->UserMessages()->LocateNoMoreMatches, mtInformation, {mbOK}, 0);
      wrapStop_ = SelStart();
      wrapped_ = false;
      return false;
    }
    SetSelStart(hit);
    SetSelLength(length);
    if (!All) return true;
  }
}
