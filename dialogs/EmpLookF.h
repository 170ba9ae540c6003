#pragma once
// TEmpLookF: the employee picker the attorney panels and the billable-fields dialog derive from:
// an employee code and a name over the employee file, both listing only active employees. A code
// typed shows its name, an inactive employee's too (the program keeps their codes and names for
// the run). Docked pickers have no frame; the billable-fields dialog keeps its own.
#include "editors/DBLookupCombo.h"
#include "framework/ui/Form.h"

class TDataSource;
class TdcTbTable;
class TextLabel;

class TEmpLookF : public TForm {
  QN_CLASS(TEmpLookF, TForm)
 public:
  explicit TEmpLookF(TComponent* AOwner);
  ~TEmpLookF() override;

  TextLabel* Label1;
  TextLabel* Label2;
  TdcDBLookupCombo* CCACode;
  TdcDBLookupCombo* CCAName;
  TdcTbTable* Emp1_;
  TdcTbTable* Emp2_;
  TDataSource* Emp1Src;
  TDataSource* Emp2Src;

  // Opens both tables on the employee file of the lookup folder (the inactive employees read
  // first, once for the run); a failure ends the program after its message.
  void OpenEmployeeTables();
  void LoadInactiveEmployees();
  virtual void EnterLookupField(TWinControl* Control);

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
  void CCACodeEnter(TObject* Sender);
  void CCACodeDropDown(TObject* Sender);
  void CCACodeCloseUp(TObject* Sender, TDataSet* LookupTable, TDataSet* FillTable, bool Modified);
  void CCACodeKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void CCACodeChange(TObject* Sender);
  void Emp1_CalcFields(TDataSet* DataSet);

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void showTypedCode(const AnsiString& Typed);
};
