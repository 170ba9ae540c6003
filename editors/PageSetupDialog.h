#pragma once
// TdcPageSetupDialog: page set-up for a rich edit. It offers the control's margins (in
// thousandths of an inch or hundredths of a millimetre, as its units are inches or centimetres),
// the printer's orientation and printer, and, with the printer's width as the line width, the
// control's paper; OK takes the margins back into the control, the orientation and printer into
// the program's printer and the paper into the control.
#include "framework/base/Component.h"

class TdcCustomRichEdit;
class TdcRulerPanel;

class TdcPageSetupDialog : public TComponent {
  QN_CLASS(TdcPageSetupDialog, TComponent)
 public:
  // Ruler: measured again after a paper change with the printer's width (may be nullptr).
  TdcPageSetupDialog(TComponent* AOwner, TdcCustomRichEdit* Editor, TdcRulerPanel* Ruler);
  // Answers whether the user confirmed.
  bool Execute();

 private:
  TdcCustomRichEdit* editor_;
  TdcRulerPanel* ruler_;
};
