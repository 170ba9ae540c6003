#pragma once
// A small panel the main window docks around a matter: a form without frame that tells the main
// window when a press activates one of its controls.
#include "framework/ui/Form.h"

class ShapeControl;

class DockedPanel : public TForm {
  QN_CLASS(DockedPanel, TForm)
 public:
  explicit DockedPanel(TComponent* AOwner);

  void CreateParams(TCreateParams& Params) override;

 protected:
  // WM_MOUSEACTIVATE: the main window hears of the press first.
  void WndProc(TMessage& Message) override;
};

// What a docked picker makes of its edits' notices (WM_COMMAND) and of a press (WM_MOUSEACTIVATE).
// While the screen's active control is the picker's own, a focus notice remembers the control it
// came from, and a change notice from that same control makes the picker's active control the
// main window's LastLookupControl. A press first tells the main window.
class LookupNoticeWatch {
 public:
  explicit LookupNoticeWatch(TForm* picker) : picker_(picker) {}

  // Called with every message before the picker's own handling.
  void Hear(const TMessage& Message);
  // Called from the picker's Notification when a component goes.
  void Forget(TComponent* gone);

 private:
  TForm* picker_;
  // Only compared, never used: the control whose focus notice came last.
  TWinControl* focused_ = nullptr;
};

// A purple band along the lower edge of a docked panel, the mark of the last panel of a group.
ShapeControl* AddPurpleBand(TForm* panel, const char* name);

// A click on one of the matter's check boxes puts Case1_ into edit when it is browsing, but only
// when the user clicked it: the screen's active control is then a check box. A box the program
// sets leaves the matter as it is.
void EditMatterForCheckBoxClick();
