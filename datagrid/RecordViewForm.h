#pragma once
// TdcRecordViewForm: the form the record view dialog fills at run time with a label and an editing
// control per field. It has no controls of its own: the program makes one at start-up by class
// name, and nothing shows or opens until a dialog's Execute builds it.
#include "framework/ui/Form.h"

class TdcDBNavigator;
class TdcRecordViewDialog;
class TPanel;
class ScrollArea;

class TdcRecordViewForm : public TForm {
  QN_CLASS(TdcRecordViewForm, TForm)
 public:
  explicit TdcRecordViewForm(TComponent* AOwner);

  // Keep a stay-on-top form above the others while another window is active, and a normal window
  // while it is active itself.
  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);

  // Set by the dialog that builds the form.
  TdcRecordViewDialog* Dialog = nullptr;
  TPanel* NavigatorPanel = nullptr;
  TdcDBNavigator* Navigator = nullptr;
  TPanel* RecordPanel = nullptr;
  TPanel* UserPanel = nullptr;
  ScrollArea* ScrollBox = nullptr;
  // Whether the form switches to stay-on-top when it loses activation.
  bool StayOnTopWhenInactive = false;
};

// The one the program's main block creates at start-up.
extern TdcRecordViewForm* dcRecordViewForm;
