#pragma once
// TdcRichParagraphDialog: alignment, indents and spacing of the rich edit's paragraph, each length
// in the edit's units. OK sets them when every length is valid; the first invalid one takes the
// focus and the dialog stays.
#include "framework/ui/Form.h"

class TButton;
class TEdit;
class TdcCustomRichEdit;
class TdcDBComboBox;

class TdcRichParagraphDialog : public TForm {
  QN_CLASS(TdcRichParagraphDialog, TForm)
 public:
  TdcRichParagraphDialog(TComponent* AOwner, TdcCustomRichEdit* Edit);

  TdcDBComboBox *AlignmentCombo, *LineSpacingComboBox;
  TEdit *LeftEdit, *RightEdit, *FirstLineEdit, *BeforeParagraphEdit, *AfterParagraphEdit, *WithinParagraphEdit;
  TButton *OKBtn, *CancelBtn;

  // A line-spacing rule chosen: single to double need no value, at least and exactly a length,
  // multiple a factor.
  void LineSpacingChosen(int Rule);
  void OKClick();

 private:
  TdcCustomRichEdit* edit_;
  bool settingValue_ = false;
};
