#include "datagrid/MemoDialogForm.h"

#include "datagrid/DialogButton.h"
#include "datagrid/Intl.h"
#include "datagrid/IntlDialogTexts.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Screen.h"
#include "framework/ui/VirtualKeys.h"

TdcMemoDlg::TdcMemoDlg(TComponent* AOwner) : TForm(AOwner) {
  SetCaption("Dialog");
  SetPosition(poScreenCenter);
  SetBounds(Left(), Top(), 561, 395);
  Font()->SetName("MS Sans Serif");
  Font()->SetHeight(-11);
  Font()->SetStyle(TFontStyles{fsBold});
  Font()->SetColor(clBlack);

  Memo = new TMemo(this);
  Memo->SetParent(this);
  Memo->SetScrollBars(ssVertical);
  Memo->SetWantTabs(true);
  Memo->SetTabOrder(0);
  Memo->OnKeyDown = [this](TObject* Sender, WORD& Key, TShiftState Shift) { MemoKeyDown(Sender, Key, Shift); };
  // The character of the key that ended the run (Ctrl+Enter's line break) never reaches the memo.
  Memo->OnKeyPress = [this](TObject*, char& Key) {
    if (ModalResult() != mrNone) Key = 0;
  };

  UserButtonPanel = new TPanel(this);
  UserButtonPanel->SetParent(this);
  UserButtonPanel->SetBevelOuter(bvNone);
  UserButtonPanel->SetVisible(false);
  auto userButton = [this](int left) {
    auto* button = new TButton(this);
    button->SetParent(UserButtonPanel);
    button->SetBounds(left, 0, 89, 26);
    button->SetVisible(false);
    return button;
  };
  UserButton1 = userButton(10);
  UserButton2 = userButton(114);
  UserButton1->OnClick = [this](TObject* Sender) { UserButton1Click(Sender); };
  UserButton2->OnClick = [this](TObject* Sender) { UserButton2Click(Sender); };

  OKBtn = CreateDialogButton(this, dbkOK);
  OKBtn->SetTabOrder(1);
  OKBtn->SetVisible(true);
  OKBtn->OnClick = [this](TObject* Sender) { OKBtnClick(Sender); };
  CancelBtn = CreateDialogButton(this, dbkCancel);
  CancelBtn->SetTabOrder(2);
  CancelBtn->SetVisible(true);

  OnResize = [this](TObject* Sender) { ResizeControls(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnCloseQuery = [this](TObject* Sender, bool& CanClose) { FormCloseQuery(Sender, CanClose); };
  SetActiveControl(Memo);
}

void TdcMemoDlg::SetPlacement(int ALeft, int ATop, int AWidth, int AHeight) {
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  if (left_ > 0 || top_ > 0) SetPosition(poDefault);
}

void TdcMemoDlg::FormShow(TObject*) {
  if (shown_) return;
  shown_ = true;
  SetKeyPreview(true);
  if (left_ > 0 || top_ > 0) SetBounds(left_, top_, width_, height_);
  else if (left_ == 0 && top_ == 0) SetBounds(Left(), Top(), width_, height_);
  placeUserButtons();
  Font()->SetStyle(dcIntlDefaults->DialogFontStyle);
  ResizeControls(this);
  if (OnInit) OnInit(this);
  Memo->SetModified(false);
}

void TdcMemoDlg::placeUserButtons() {
  if (!hasUserButtons()) return;
  const bool first = !UserButton1->Caption().empty();
  const bool second = !UserButton2->Caption().empty();
  UserButton1->SetVisible(first);
  UserButton2->SetVisible(second);
  UserButton1->SetLeft(10);
  UserButton2->SetLeft(first ? UserButton1->Left() + UserButton1->Width() + 15 : 15);
  const TButton* last = second ? UserButton2 : UserButton1;
  UserButtonPanel->SetWidth(last->Left() + last->Width() + 10);
  UserButtonPanel->SetVisible(true);
}

void TdcMemoDlg::ResizeControls(TObject*) {
  const ScreenFacts metrics = Screen->metrics();
  Memo->SetBounds(6, 6, Width() - 20, Height() - 2 * metrics.dialogFrameHeight - metrics.captionHeight - 53);
  const int top = Memo->Height() + 17;
  if (UserButtonPanel->Visible()) {
    // The panel lies right under the memo; its buttons line up with OK and Cancel.
    const int panelTop = Memo->Top() + Memo->Height();
    UserButtonPanel->SetBounds(Memo->Left() - 1, panelTop, UserButtonPanel->Width(), top - panelTop + UserButton1->Height());
    UserButton1->SetTop(top - panelTop);
    UserButton2->SetTop(top - panelTop);
  }
  if (Memo->ReadOnly()) {
    CancelBtn->SetVisible(false);
    const int left = hasUserButtons() ? Memo->Left() + Memo->Width() - OKBtn->Width() - 25
                                      : Memo->Left() + (Memo->Width() - OKBtn->Width()) / 2;
    OKBtn->SetBounds(left, top, OKBtn->Width(), OKBtn->Height());
    return;
  }
  OKBtn->SetBounds(Memo->Width() - 2 * OKBtn->Width() - 40, top, OKBtn->Width(), OKBtn->Height());
  CancelBtn->SetBounds(Memo->Width() - CancelBtn->Width() - 20, top, CancelBtn->Width(), CancelBtn->Height());
}

void TdcMemoDlg::MemoKeyDown(TObject*, WORD& Key, TShiftState Shift) {
  if ((Key == VK_RETURN && Shift.Contains(ssCtrl)) || Key == VK_F2) {
    Key = 0;
    OKBtnClick(this);
  } else if (Key == VK_ESCAPE) {
    Key = 0;
    SetModalResult(mrCancel);
  }
}

void TdcMemoDlg::KeyPress(char& Key) {
  if (Key == 27) Key = 0;
  TForm::KeyPress(Key);
}

void TdcMemoDlg::OKBtnClick(TObject*) { SetModalResult(mrOk); }

void TdcMemoDlg::FormCloseQuery(TObject*, bool& CanClose) {
  if (ModalResult() == mrOk || !Memo->Modified()) return;
  CanClose = MessageDlg(dcIntlDefaults->UserMessages()->MemoChangesWarning, mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
  if (CanClose) SetModalResult(mrCancel);
}

void TdcMemoDlg::UserButton1Click(TObject*) {
  if (OnUserButton1) OnUserButton1(this, Memo);
}

void TdcMemoDlg::UserButton2Click(TObject*) {
  if (OnUserButton2) OnUserButton2(this, Memo);
}
