#pragma once
// TdcRichTabDialog: the tab stops of the rich edit's paragraph. Set lists the position in the
// entry (0 to 22 inches, once), Clear removes the selected stops, Clear All every stop; the list
// and the stops on OK run in the order of their positions.
#include "framework/ui/Form.h"

class ListBox;
class TButton;
class TEdit;
class TdcCustomRichEdit;

class TdcRichTabDialog : public TForm {
  QN_CLASS(TdcRichTabDialog, TForm)
 public:
  TdcRichTabDialog(TComponent* AOwner, TdcCustomRichEdit* Edit);

  TEdit* Edit1;
  ListBox* ListBox1;
  TButton *OKButton, *Button1, *Button2, *Button3, *Button4;

  // Answers whether the entry was valid (an empty entry is, and adds nothing).
  bool SetClick();
  // A valid entry is set first; an invalid one keeps the dialog open with the focus on it.
  void OKClick();
  void KeyDown(WORD& Key, TShiftState Shift) override;

 private:
  void addStop(int Twips);
  std::vector<int> stops_;  // listed, in order of position
  TdcCustomRichEdit* edit_;
};
