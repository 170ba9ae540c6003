// The check dialog as the component makes, connects, captions and places it.
#include "framework/ui/Application.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Screen.h"
#include "platform/os/Files.h"
#include "spell/DialogControl.h"
#include "spell/Parser.h"
#include "spell/VorlexSpell.h"

namespace {

constexpr int kCaptionTexts[deElementCount] = {
    stChangeAll, stChange, stIgnoreAll, stIgnore, stAdd, stAutoCorrect, stSuggest, stStart, stUndoLast, stOptions,
    stHelp,      stCancel, -1,          -1,       -1,    stNotFound,   19,        20};

bool usable(const TRect& r) { return !(r.Left == -1 && r.Top == -1 && r.Right == -1 && r.Bottom == -1); }

TRect screenRect() { return TRect{0, 0, Screen->width(), Screen->height()}; }

TRect moved(const TRect& r, int left, int top) { return TRect{left, top, left + r.Width(), top + r.Height()}; }

TRect clampToScreen(const TRect& r) {
  const TRect s = screenRect();
  const int left = std::max(s.Left, std::min(r.Left, s.Right - r.Width()));
  const int top = std::max(s.Top, std::min(r.Top, s.Bottom - r.Height()));
  return moved(r, left, top);
}

TRect centred(const TRect& dialog) {
  const TRect s = screenRect();
  return moved(dialog, (s.Width() - dialog.Width()) / 2, (s.Height() - dialog.Height()) / 2);
}

bool cornerIn(const TRect& word, const TRect& dialog) {
  auto inside = [&](int x, int y) {
    return x >= dialog.Left && x < dialog.Right && y >= dialog.Top && y < dialog.Bottom;
  };
  return inside(word.Left, word.Top) || inside(word.Right - 1, word.Top) || inside(word.Left, word.Bottom - 1) ||
         inside(word.Right - 1, word.Bottom - 1);
}

// 2 pixels below the word when the dialog fits above the screen's bottom there, else 2 above it.
TRect nextToWord(const TRect& dialog, const TRect& word, bool keepLeft) {
  const int left = keepLeft ? dialog.Left : word.Left;
  const int below = word.Bottom + 2;
  if (below + dialog.Height() <= screenRect().Bottom) return moved(dialog, left, below);
  return moved(dialog, left, word.Top - 2 - dialog.Height());
}

void clearHelpContexts(TComponent* component) {
  for (int i = 0; i < component->ComponentCount(); ++i) {
    TComponent* child = component->Components(i);
    if (auto* control = dynamic_cast<TControl*>(child)) control->SetHelpContext(0);
    clearHelpContexts(child);
  }
}

}  // namespace

TRect TVorlexSpell::FirstPlacement(const TRect& Dialog, const TRect& ControlRect, const TRect& WordRect) {
  TRect placed = Dialog;
  const TRect s = screenRect();
  auto underSelection = [&] { return usable(WordRect) ? nextToWord(Dialog, WordRect, false) : centred(Dialog); };
  switch (InitialPosition) {
    case ipScreenCenter:
      placed = centred(Dialog);
      break;
    case ipUnderSelection:
      placed = underSelection();
      break;
    case ipAvoidControl: {
      if (!usable(ControlRect)) {
        placed = centred(Dialog);
        break;
      }
      const TRect& c = ControlRect;
      if (c.Bottom + 2 + Dialog.Height() <= s.Bottom) placed = moved(Dialog, c.Left, c.Bottom + 2);
      else if (c.Right + 2 + Dialog.Width() <= s.Right) placed = moved(Dialog, c.Right + 2, c.Top);
      else if (c.Top - 2 - Dialog.Height() >= s.Top) placed = moved(Dialog, c.Left, c.Top - 2 - Dialog.Height());
      else if (c.Left - 2 - Dialog.Width() >= s.Left) placed = moved(Dialog, c.Left - 2 - Dialog.Width(), c.Top);
      else placed = underSelection();
      break;
    }
    case ipUserDefined:
      if (OnPositionDialog) OnPositionDialog(this, placed);
      else placed = centred(Dialog);
      break;
    case ipIgnore:
      break;
  }
  return clampToScreen(placed);
}

TRect TVorlexSpell::LaterPlacement(const TRect& Dialog, const TRect& WordRect) const {
  if (SelectionBehavior == sbNone || !usable(WordRect)) return Dialog;
  const bool always = SelectionBehavior == sbMove || SelectionBehavior == sbMoveUpDown;
  if (!always && !cornerIn(WordRect, Dialog)) return Dialog;
  const bool keepLeft = SelectionBehavior == sbAvoidUpDown || SelectionBehavior == sbMoveUpDown;
  return clampToScreen(nextToWord(Dialog, WordRect, keepLeft));
}

void TVorlexSpell::placeDialog() {
  if (!dialog_ || !parser_) return;
  const TRect bounds = dialog_->BoundsRect();
  const TRect target =
      dialogPlaced_ ? LaterPlacement(bounds, parser_->GetWordRect())
                    : FirstPlacement(bounds, parser_->GetControlRect(), parser_->GetWordRect());
  dialogPlaced_ = true;
  if (!(target == bounds)) dialog_->SetBoundsRect(target);
}

bool TVorlexSpell::HelpUsable() const { return HelpEnabled && qn::os::fileExists(HelpFile); }

void TVorlexSpell::applyHelp(TForm* Form, int Context) {
  if (HelpUsable()) {
    TBorderIcons icons = Form->BorderIcons();
    icons.Include(biHelp);
    Form->SetBorderIcons(icons);
    Form->SetHelpContext(Context);
    if (HelpSeparate) {
      savedHelpFile_ = Application->HelpFile();
      Application->SetHelpFile(HelpFile);
    }
  } else {
    TBorderIcons icons = Form->BorderIcons();
    icons.Exclude(biHelp);
    Form->SetBorderIcons(icons);
    Form->SetHelpContext(0);
    clearHelpContexts(Form);
  }
}

void TVorlexSpell::setCaptions() {
  if (!dc_) return;
  for (int element = 0; element < deElementCount; ++element)
    if (kCaptionTexts[element] >= 0) dc_->SetCaption(element, Text(kCaptionTexts[element]));
  if (dialog_) dialog_->SetCaption(Text(stDialogCaption));
  dc_->Resize();
}

void TVorlexSpell::createDialog() {
  TForm* form = nullptr;
  if (OnCreateDialog) OnCreateDialog(this, form);
  if (!form) form = CreateVorlexSpellDialog(this);
  if (languageIndex_ >= languages_.Count()) languageIndex_ = 0;
  form->Font()->SetSize(8);
  if (OnAfterCreate) OnAfterCreate(this, form);
  dialog_ = form;
  FreeNotification(form);
  dc_ = FindDialogControl(form);
  if (!dc_) return;
  dc_->SetActionHandler([this](int action) { onAction(action); });
  if (dc_->Suggestions) {
    dc_->Suggestions->OnClick = [this](TObject* sender) { onSuggestionClick(sender); };
    dc_->Suggestions->OnDblClick = [this](TObject*) { onAction(daChangeAll); };
  }
  if (dc_->WordEdit) dc_->WordEdit->OnChange = [this](TObject* sender) { onReplaceChange(sender); };
  form->OnClose = [this](TObject*, TCloseAction& action) {
    action = caNone;
    onAction(daCancel);
  };
  form->OnDeactivate = [this](TObject*) {
    if (OnDeactivate) OnDeactivate(this, true);
    if (HelpUsable() && HelpSeparate) Application->SetHelpFile(savedHelpFile_);
    // The user went back to the text: the stop is given up and Start picks the check up again from
    // the caret. The checker's own configuration dialog leaves the stop as it is.
    if (running_ && stopped_ && !background_ && !configuring_) {
      resetControls();
      stopped_ = false;
      if (dc_) dc_->ChangeEnabled(deStart, true);
    }
  };
  form->OnActivate = [this](TObject*) {
    if (OnDeactivate) OnDeactivate(this, false);
    if (HelpUsable() && HelpSeparate) Application->SetHelpFile(HelpFile);
  };
  setCaptions();
  dc_->SuggestEnd();
  applyHelp(form, HelpContextDialog);
  dc_->ChangeVisible(deHelp, HelpUsable());
}
