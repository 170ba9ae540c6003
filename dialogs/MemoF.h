#pragma once
// TMemoF: the borderless panel under the main window's header that edits a description and the
// transaction fields of a time or cost entry (hours, rate, amount, non-applied, the
// electronic-billing codes). The docket calendar uses it as its item's description box. It opens
// the billable-fields dialog, the rate information and the large editor, and runs the spell check
// on the description.
#include "editors/DBComboBox.h"
#include "editors/DBRichEdit.h"
#include "editors/DBSpinEdit.h"
#include "framework/ui/Form.h"

class CheckBox;
class GlyphButton;
class IntervalTimer;
class TextLabel;
class TPanel;
class TSpeedButton;

// An electronic-billing code box: it tells its form when its list opens and closes.
class BillingCodeCombo : public TdcDBComboBox {
  QN_CLASS(BillingCodeCombo, TdcDBComboBox)
 public:
  explicit BillingCodeCombo(TComponent* AOwner);
  void DropDown() override;
  void CloseUp(bool Accept) override;
  TNotifyEvent OnListOpened;
  TNotifyEvent OnListClosed;
};

// The billable fields of the entry as the billable-fields dialog last left them; values "%3f".
struct BillableFieldValues {
  AnsiString EmployeeCode, EmployeeName;
  AnsiString Hours = "0.00", Rate = "0.00", Amount = "0.00";
  bool Hold = false, NoBill = false;
  bool Changed = false;
};
extern BillableFieldValues BillableFields;
// "=" in an empty description puts this one in.
extern AnsiString PreviousDescription;

class TMemoF : public TForm {
  QN_CLASS(TMemoF, TForm)
 public:
  explicit TMemoF(TComponent* AOwner);
  ~TMemoF() override;

  TPanel* Panel1;
  TdcDBRichEdit* Description;
  TdcDBSpinEdit* Hours;
  TdcDBSpinEdit* Rate;
  TdcDBSpinEdit* Amount;
  TextLabel *LabelHours, *LabelRate, *LabelAmount;
  GlyphButton* OptFieldsBitBtn;
  GlyphButton* RateInfoBitBtn;
  CheckBox* CBNonApplied;
  CheckBox* ToggleTrTypeCB;
  BillingCodeCombo *ComboBoxTask, *ComboBoxActivity, *ComboBoxExpense;
  TextLabel *LabelTask, *LabelActivity, *LabelExpense;
  TSpeedButton* SBDescFont;
  TSpeedButton* SpeedButton1;
  TextLabel* LabelDescLen;
  IntervalTimer* Timer1;
  // The font dialog's last font, given to the description's text.
  TFont* FontDialog1Font() const { return descriptionFont_.get(); }

  // The place the main window gives the panel under its attorneys: the transaction fields hidden,
  // the description filling it, the codes hidden in calendar mode.
  void PlaceInCaseWindow(int Top, int FormWidth);

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  // Fills the three code boxes from the code table; a failure is told.
  void EBFSetup();
  void ChangeSelectionCase(TObject* Sender);
  void SBDescFontClick(TObject* Sender);
  void SBSpellCheckClick(TObject* Sender);
  void SpeedButton1Click(TObject* Sender);
  void Timer1Timer(TObject* Sender);

  void DescriptionKeyPress(TObject* Sender, char& Key);
  void DescriptionKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void DescriptionChange(TObject* Sender);
  void DescriptionEnter(TObject* Sender);

  void ComboBoxEnter(TObject* Sender);
  void ComboBoxCloseUp(TObject* Sender);
  void ComboBoxDropDown(TObject* Sender);
  void ComboBoxExit(TObject* Sender);

  void TransactionFieldChange(TObject* Sender);
  void AmountChange(TObject* Sender);
  void HoursExit(TObject* Sender);
  void AmountExit(TObject* Sender);
  void ToggleTrTypeCBClick(TObject* Sender);
  void RateInfoBitBtnClick(TObject* Sender);
  void OptFieldsBitBtnClick(TObject* Sender);

  // The description's text shown in the colour, the caret at its end; its font kept.
  void ShowDescription(const AnsiString& Text, TColor Colour);

  // The control that opened a sub-dialog; it takes the focus back.
  TWinControl* RememberedControl = nullptr;
  // The focus was on the hours or the rate when the billable fields opened.
  bool BillableFromHours = false;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void addPopupItems();
  void adjustPopup();
  bool codeExitDue();
  void rateFieldChanged(TdcDBSpinEdit* Field);

  std::unique_ptr<TFont> descriptionFont_;
  std::uint32_t lastCodeExit_ = 0;
  bool codeExitChecked_ = false;
  bool tooLongShown_ = false;
  bool shown_ = false;
  // The values the rate was decided by when the entry was read.
  AnsiString rateBasis_;
  int scrollBarWidth_ = 0;
  int comboOffset_ = 0;
};

extern TMemoF* MemoF;
