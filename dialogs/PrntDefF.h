#pragma once
// TPrntDefF ("Printing Choices"): the one dialog that decides where a report goes - a printer, a
// text, data or PDF file in a chosen folder, the screen, or nowhere. It shows the report's saved
// choices from the print-choices file, lets the user change them for this run and leaves the
// outcome in PrintChoice. Made once by the main block, hidden between uses.
#include <vector>

#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/DriveBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/FolderList.h"
#include "framework/ui/Form.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/RadioButtonGroup.h"
#include "framework/ui/TextLabel.h"

class StringList;
class TdcTbTable;

class TPrntDefF : public TForm {
  QN_CLASS(TPrntDefF, TForm)
 public:
  explicit TPrntDefF(TComponent* AOwner);
  ~TPrntDefF() override;

  // Shows the dialog for the report when a choice is needed and returns when it closes; the
  // outcome is in PrintChoice (Destination 0: print nothing). Mode 0 or 1: the user names the
  // file; above 1 the name is a pattern (stack reports).
  void GetPrinterInfo(int Mode, int ReportNumber);
  // The suite's e-mail settings dialog. Settings: [0] ZOLT_Email, [1] the sender address, [2]
  // Statement_Email, Count of them given (negative: none loaded). True after Save, with Settings
  // holding what was written.
  bool EmailSetup(std::vector<AnsiString>& Settings, int Count);

  // The items of "Print report to" and of the format group, by their index.
  enum { ptPrinter, ptFile, ptScreen };
  enum { fmText, fmData, fmPdf };
  // The choices offered when the chosen file exists, by their index.
  enum { exDelete, exAppend, exChangeName, exPrinter, exScreen, exExit };

  TdcTbTable* PrintTB;
  RadioButtonGroup* PrintToRadioGroup;
  TextLabel* PrinterLabel;
  ComboBox* PrinterComboBox;
  RadioButtonGroup* OrientationRadioGroup;
  GroupFrame* BinGroup;
  TextLabel* FirstBinLabel;
  ComboBox* FirstBinComboBox;
  TextLabel* OtherBinLabel;
  ComboBox* OtherBinComboBox;
  CheckBox* DuplexCheckBox;
  GroupFrame* FileGroup;
  RadioButtonGroup* FormatRadioGroup;
  CheckBox* EmailCheckBox;
  CheckBox* LabelsCheckBox;
  TextLabel* FileNameLabel;
  TEdit* FileNameEdit;
  DriveBox* DriveComboBox;
  FolderList* FolderListBox;
  TextLabel* PathLabel;
  RadioButtonGroup* ExistingRadioGroup;
  TButton* OKBtn;
  TButton* CancelBtn;

  // The debugging answer report 1's "=" key asks for; the suite's statement run reads it.
  bool StatementDebugging = false;

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void PrintToRadioGroupClick(TObject* Sender);
  void FormatRadioGroupClick(TObject* Sender);
  void OrientationRadioGroupClick(TObject* Sender);
  void PrinterComboBoxChange(TObject* Sender);
  void EmailCheckBoxClick(TObject* Sender);
  void LabelsCheckBoxClick(TObject* Sender);
  void FileNameEditKeyPress(TObject* Sender, char& Key);
  void FileNameEditExit(TObject* Sender);
  void DriveComboBoxChange(TObject* Sender);
  void FolderListBoxChange(TObject* Sender);
  void ExistingRadioGroupClick(TObject* Sender);
  void OKBtnClick(TObject* Sender);
  void CancelBtnClick(TObject* Sender);

  void KeyPress(char& Key) override;

 private:
  void Initialize();
  void ShowAvailPrinters();
  void setOrientationItems();
  void fillBins();
  void restoreBins();
  void offerFormats();
  void DataOrText();
  void GetNewPrintFileName();
  void showPath();
  void setPrinterPartEnabled(bool enabled);
  void setFileEnabled(bool enabled);
  void selectFormatOfPrintToFile();
  void refuseScreen();
  bool reportRefusesScreen() const;
  int enabledFormatCount(int& only) const;
  bool IsPrintFilePathOK();
  bool IsDataorTextOK();
  bool IsAllDone();
  bool printerChosen();
  bool fileChosen();
  void offerExistingFile();
  void showExistingChoices(bool shown);
  void finishOk();
  // The format chosen, as the print-file rules take it.
  int chosenFormat() const { return FormatRadioGroup->ItemIndex(); }

  bool stack_ = false;
  bool terminated_ = false;  // the user ended the run at the bins question
  char drive_ = 0;           // the drive box's drive before a change
  bool restoringDrive_ = false;
  StringList* dataPaths_;
  bool boxesMoved_ = false;  // once, on the first show away from 120 pixels per inch
};

extern TPrntDefF* PrntDefF;
