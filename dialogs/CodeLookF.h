#pragma once
// TCodeLookF: the small code picker every code panel derives from. A label, then the code and its
// description side by side, both over the code-table file restricted to the rows of one type
// letter. As the code is typed the description follows it; a code typed to its full length moves
// on by itself. Docked in the main window it has no frame.
#include "editors/DBLookupCombo.h"
#include "framework/ui/Form.h"

class TDataSource;
class TdcTbTable;
class TextLabel;

// The drop-down row count the first code picker entered had; every picker's drop-down opens with
// it. -1 until a picker is entered.
extern int CodeLookDropDownCount;

// What the typed text of a code box shows in its description: "NOT FOUND" when no row has exactly
// that code.
inline constexpr const char* CodeNotFoundText = "NOT FOUND";

class TCodeLookF : public TForm {
  QN_CLASS(TCodeLookF, TForm)
 public:
  explicit TCodeLookF(TComponent* AOwner);
  ~TCodeLookF() override;

  TextLabel* LabelCode;
  TdcDBLookupCombo* TableCode;
  TdcDBLookupCombo* TableDesc;
  TdcTbTable* Codes1_;
  TdcTbTable* Codes2_;
  TDataSource* Codes1Src;
  TDataSource* Codes2Src;

  char TypeCode() const { return typeCode_; }
  void SetTypeCode(char Value);
  // Opens both tables on the code-table file of the lookup folder; a failure ends the program
  // after its message.
  void OpenCodeTables();
  // The first time any picker is entered its drop-down count is remembered; the combo matches as
  // it is typed into and its text is selected.
  virtual void EnterLookupField(TWinControl* Control);

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
  void TableCodeChange(TObject* Sender);
  virtual void TableCodeEnter(TObject* Sender);
  void TableCodeDropDown(TObject* Sender);
  virtual void TableCodeCloseUp(TObject* Sender, TDataSet* LookupTable, TDataSet* FillTable, bool Modified);
  void TableCodeKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void TableCodeKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  virtual void Codes1_CalcFields(TDataSet* DataSet);
  void Codes1_FilterRecord(TDataSet* DataSet, bool& Accept);

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  // The description of the typed code, or "NOT FOUND"; Codes2_ follows a row found.
  void showTypedCode(const AnsiString& Typed);

  char typeCode_ = 'O';
};
