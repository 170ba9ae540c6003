#pragma once
// A small panel the main window docks around a matter: a form without frame that tells the main
// window when a press activates one of its controls.
#include "framework/ui/Form.h"

class DockedPanel : public TForm {
  QN_CLASS(DockedPanel, TForm)
 public:
  explicit DockedPanel(TComponent* AOwner);

  void CreateParams(TCreateParams& Params) override;

 protected:
  // WM_MOUSEACTIVATE: the main window hears of the press first.
  void WndProc(TMessage& Message) override;
};

// A click on one of the matter's check boxes puts Case1_ into edit when it is browsing, but only
// when the user clicked it: the screen's active control is then a check box. A box the program
// sets leaves the matter as it is.
void EditMatterForCheckBoxClick();
