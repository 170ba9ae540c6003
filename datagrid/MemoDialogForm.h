#pragma once
// TdcMemoDlg: the modal form of the memo dialog: one memo filling the form, an OK and a Cancel
// button under it and, when asked for, up to two buttons of the program's own in a panel.
// Ctrl+Enter or F2 confirm, Escape cancels; a changed memo is not thrown away without asking.
#include <functional>

#include "framework/ui/Button.h"
#include "framework/ui/Form.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Panel.h"

class TdcMemoDlg;

using TdcOnInitMemoDlgEvent = std::function<void(TdcMemoDlg* Dialog)>;
using TdcMemoUserButtonEvent = std::function<void(TdcMemoDlg* Dialog, TMemo* Memo)>;

class TdcMemoDlg : public TForm {
  QN_CLASS(TdcMemoDlg, TForm)
 public:
  explicit TdcMemoDlg(TComponent* AOwner);

  // The bounds the form takes when first shown; the rules are the memo dialog's (DlgLeft and
  // friends): a positive left or top places it there, both 0 size it only, a negative left
  // leaves its own size and place.
  void SetPlacement(int Left, int Top, int Width, int Height);
  // Told on the first show, after the form has laid itself out.
  TdcOnInitMemoDlgEvent OnInit;
  TdcMemoUserButtonEvent OnUserButton1;
  TdcMemoUserButtonEvent OnUserButton2;

  TMemo* Memo;
  TPanel* UserButtonPanel;
  TButton* UserButton1;
  TButton* UserButton2;
  TButton* OKBtn;
  TButton* CancelBtn;

  void ResizeControls(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void OKBtnClick(TObject* Sender);
  void UserButton1Click(TObject* Sender);
  void UserButton2Click(TObject* Sender);
  void MemoKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

  void KeyPress(char& Key) override;

 private:
  bool hasUserButtons() const { return !UserButton1->Caption().empty() || !UserButton2->Caption().empty(); }
  void placeUserButtons();

  bool shown_ = false;
  int left_ = -1, top_ = 0, width_ = 0, height_ = 0;
};
