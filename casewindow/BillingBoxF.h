#pragma once
// TBillingBoxF: the matter's billing attributes, docked in the main window: the two billing status
// codes, the fee and cost billing cycles, the billing rate code and threshold, the dates opened,
// closed and last posted, and the retainer-transfer boxes. It keeps a matter from being closed
// while money or activity is still on it, and makes a matter a dummy or a receptor of a fee split
// through the fee split form. The main window loads and saves the dates and the boxes.

#include "casewindow/DockedPanel.h"

class CheckBox;
class GroupFrame;
class TPanel;
class TdcDBDateTimePicker;
class TdcDBEdit;
class TdcTbTable;
class TextLabel;

class TBillingBoxF : public DockedPanel {
  QN_CLASS(TBillingBoxF, DockedPanel)
 public:
  explicit TBillingBoxF(TComponent* AOwner);

  TPanel* PanelBilling;
  TdcDBEdit* BillingStatus1;
  TdcDBEdit* BillingStatus2;
  TdcDBEdit* FBCC;
  TdcDBEdit* CBBC;
  TdcDBEdit* BillingRate;
  TdcDBEdit* Threshhold;
  TdcDBDateTimePicker* DateOpened;
  TdcDBDateTimePicker* DateClosed;
  TdcDBDateTimePicker* DateLastPosted;
  TextLabel* LabelBillingStatus1;
  TextLabel* LabelBillingStatus2;
  TextLabel* LabelFBCC;
  TextLabel* LabelCBBC;
  TextLabel* LabelBillingRateCode;  // "Rate Code": opens the rates list
  TextLabel* LabelThreshhold;
  TextLabel* LabelDateOpened;
  TextLabel* LabelDateClosed;
  TextLabel* LabelLastPosted;
  GroupFrame* RTGroupBox;
  CheckBox* RTFeesCB;            // Tag 0
  CheckBox* RTDirectCostsCB;     // Tag 1
  CheckBox* RTIndirectCostsCB;   // Tag 2
  CheckBox* RTFinanceChargesCB;  // Tag 3
  CheckBox* RTSalesTaxCB;        // Tag 4
  TextLabel* LabelRTFees;
  TextLabel* LabelRTDirectCosts;
  TextLabel* LabelRTIndirectCosts;
  TextLabel* LabelRTFinanceCharges;
  TextLabel* LabelRTSalesTax;
  // The fee split file, open only while one of the routines below works on it.
  TdcTbTable* FeeSplit_;

  // The two help lists, shown by F1 and when a key is refused.
  static const AnsiString Status1Help;
  static const AnsiString Status2Help;

  // The edit's text when the last key went down.
  AnsiString Status1BeforeKey;
  AnsiString Status2BeforeKey;

  void BillingStatus1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void BillingStatus2KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  // Which codes may be typed, and the checks before a matter is closed ("X").
  void BillingStatus1KeyPress(TObject* Sender, char& Key);
  void BillingStatus1Change(TObject* Sender);
  // Making a matter a dummy or a receptor, or taking that status away.
  void BillingStatus2Change(TObject* Sender);
  // The rate code and the threshold: a full edit moves on.
  void BillingRateChange(TObject* Sender);
  void RTFeesCBClick(TObject* Sender);
  void RTFeesCBEnter(TObject* Sender);
  void RTGroupBoxExit(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  void DateOpenedChange(TObject* Sender);
  void DateClosedKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
  void LabelBillingRateCodeClick(TObject* Sender);

  // Whether the matter in Case1_ has rows as a dummy in the fee split file. With openFound false
  // on entry, openFound tells on return whether one of its receptors is still open. A file that
  // cannot be read answers true with openFound true, after the warning: the caller then refuses.
  bool DummyHasReceptors(bool& openFound);
  // The fee split form, modally, for the matter as a dummy (Case Status 2 "D") or as a receptor.
  void OpenFeeSplitForStatus();
  // The matter's rows as a dummy, respectively its row as a receptor, deleted all together or not
  // at all. Inside a transaction of the data module's database they are part of it, and the caller
  // rolls back when the answer is false; else they run in one of their own. False after the
  // warning when the file could not be changed.
  bool DeleteDummySplits();
  bool DeleteReceptorSplit();

  // Every box and label back to the panel's colour.
  void ResetTransferHighlight();

 private:
  // Dummy and receptor rows of the matter in Case1_, by the index that holds them first.
  bool deleteSplitRows(const char* index, const char* clientField, const char* caseField);
  // Answers false after the help list when the key is refused.
  bool status1KeyAllowed(char key);
  // The checks before closing; false after the refusal's box.
  bool mayClose();
  void askToReopenReceptors();
  void showHelp(TdcDBEdit* edit, const AnsiString& help);
  void setFeeSplitButtonEnabled(bool enabled);
  // A case table of the panel's own, for the receptors' status.
  TdcTbTable* receptors_;
};

extern TBillingBoxF* BillingBoxF;

