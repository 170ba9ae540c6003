#pragma once
// The matter's responsible attorneys 1 to 3 docked in the main window: the employee picker of the
// dialogs with its code bound to the matter's field; the main window's idle staging opens its
// employee tables once (OpenStagedPanel).
#include "casewindow/DockedPanel.h"
#include "core/StagedPanel.h"
#include "dialogs/EmpLookF.h"

class ShapeControl;

class AttorneyPickerPanel : public TEmpLookF, public StagedPanel {
 public:
  // Attorney 1 to 3.
  AttorneyPickerPanel(TComponent* AOwner, int Number);

  // Unless done already: the employee tables, PanelInitStep counted on.
  void OpenStagedPanel() override;

 protected:
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  LookupNoticeWatch notices_{this};
  bool opened_ = false;
};

class TRA1F : public AttorneyPickerPanel {
  QN_CLASS(TRA1F, TEmpLookF)
 public:
  explicit TRA1F(TComponent* AOwner) : AttorneyPickerPanel(AOwner, 1) {}
};

class TRA2F : public AttorneyPickerPanel {
  QN_CLASS(TRA2F, TEmpLookF)
 public:
  explicit TRA2F(TComponent* AOwner) : AttorneyPickerPanel(AOwner, 2) {}
};

// The third attorney carries a purple band along its lower edge.
class TRA3F : public AttorneyPickerPanel {
  QN_CLASS(TRA3F, TEmpLookF)
 public:
  explicit TRA3F(TComponent* AOwner);

  ShapeControl* Shape1;
};

extern TRA1F* RA1F;
extern TRA2F* RA2F;
extern TRA3F* RA3F;
