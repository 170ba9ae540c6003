#pragma once
// The matter's code pickers docked in the main window: department, case types 1 to 3 and the
// statement message. Each is the code picker of the dialogs with its code bound to the matter's
// field; the main window's idle staging opens its code table once (OpenStagedPanel).
#include "core/StagedPanel.h"
#include "casewindow/DockedPanel.h"
#include "dialogs/CodeLookF.h"

class ShapeControl;

// How one code picker is set up; Tags 0 are left as they are.
struct CodePickerLayout {
  const char* name;
  int formTag;
  const char* caption;
  int codeTag;
  const char* field;
  int descTag;
};

class CodePickerPanel : public TCodeLookF, public StagedPanel {
 public:
  CodePickerPanel(TComponent* AOwner, const CodePickerLayout& Layout);

  // Unless done already: the type letter for the program's mode, the code tables, PanelInitStep
  // counted on.
  void OpenStagedPanel() override;

 protected:
  // The type letter the tables list: case mode's letter unless the panel serves the calendar.
  virtual char modeTypeCode() const = 0;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  LookupNoticeWatch notices_{this};
  bool opened_ = false;
};

class TDepartmentF : public CodePickerPanel {
  QN_CLASS(TDepartmentF, TCodeLookF)
 public:
  explicit TDepartmentF(TComponent* AOwner);

 protected:
  char modeTypeCode() const override { return 'D'; }
};

// Case types 1 and 2 list the calendar's items when the program runs the calendar.
class TCaType1F : public CodePickerPanel {
  QN_CLASS(TCaType1F, TCodeLookF)
 public:
  explicit TCaType1F(TComponent* AOwner);

 protected:
  char modeTypeCode() const override;
};

class TCaType2F : public CodePickerPanel {
  QN_CLASS(TCaType2F, TCodeLookF)
 public:
  explicit TCaType2F(TComponent* AOwner);

 protected:
  char modeTypeCode() const override;
};

class TCaType3F : public CodePickerPanel {
  QN_CLASS(TCaType3F, TCodeLookF)
 public:
  explicit TCaType3F(TComponent* AOwner);

 protected:
  char modeTypeCode() const override { return 'A'; }
};

class TStMsgF : public CodePickerPanel {
  QN_CLASS(TStMsgF, TCodeLookF)
 public:
  explicit TStMsgF(TComponent* AOwner);

  ShapeControl* Shape2;

 protected:
  char modeTypeCode() const override { return 'S'; }
};

extern TDepartmentF* DepartmentF;
extern TCaType1F* CaType1F;
extern TCaType2F* CaType2F;
extern TCaType3F* CaType3F;
extern TStMsgF* StMsgF;
