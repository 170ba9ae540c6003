#pragma once
// TClientCaseLookF1: the client and matter header at the top of the main window. It is the lookup
// header of the dialogs with what the case screen adds: the matter's billing format, the address
// and fee-split buttons, the delinquent-notes marker, and the reaction to a matter being fixed or
// released: the main window's edit panels are shown or hidden through the commands ShowEdits and
// HideEdits, which the main window's command hook hears by name.
//
// Ruling kept here: the delinquent tracking program gets its arguments as an argument vector,
// never through a shell with the names inside; when it cannot be started directly, the hidden
// script's line quotes every word (ShellCommandLine), so a client name holding a quote or a
// semicolon stays one argument.
#include <vector>

#include "dialogs/ClientCaseLookF.h"

class BevelLine;
class ComboBox;
class Command;
class CommandList;
class FileList;
class TdcDBSpinEdit;
class GlyphButton;
class ShapeControl;
class TMenuItem;
class TPopupMenu;
class TSpeedButton;
class TextLabel;

// The main window suspends the header's exit checks while it rearranges the screen.
extern bool HeaderExitsSuspended;
// The client-code check answered AddNew; the main window's idle handler acts on it.
extern bool AddClientRequested;
// The header serves the calendar's search: it offers to add nothing.
extern bool CalendarSearchMode;
// The matter's billing format has a row in the format table.
extern bool TSCFormatFound;
// The message that asks the format-table viewer to show a format; registered as the header is made.
extern unsigned QN_Message_ShowTSC;

class TClientCaseLookF1 : public TClientCaseLookF {
  QN_CLASS(TClientCaseLookF1, TClientCaseLookF)
 public:
  explicit TClientCaseLookF1(TComponent* AOwner);

  TdcDBLookupCombo* AltBillFormat;
  TextLabel* LabelFormatCode;
  GlyphButton* CaseAddressBitBtn;
  GlyphButton* FeeSplitBitBtn;
  TextLabel* LabelDelinquent;
  TSpeedButton* SBDelinquent;
  CommandList* ActionList1;
  Command* HideEdits;
  Command* ShowEdits;

  // Unlocks the lookups; with Clear also releases the matter and empties the four combos.
  void ClearHeader(bool Clear);
  // Shows the cover edits over code, name and suffix of a fixed matter.
  void SetCoverEdits();
  // Shows the "D" marker when the user may see delinquent notes and one names this matter or its
  // client.
  void CheckForDelinquentNotes();
  // Starts the delinquent tracking program on this matter's or client's notes.
  void NewDelinquentAccountTracking();

  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  void ClientCodeExit(TObject* Sender);
  void ClientNameExit(TObject* Sender);
  void CaseSuffixExit(TObject* Sender);
  void CaseSuffixChange(TObject* Sender);
  void CaseSuffixDropDown(TObject* Sender);
  void AlternateIDExit(TObject* Sender);
  void AlternateIDChange(TObject* Sender);
  void LabelDelinquentClick(TObject* Sender);
  void HideEditsExecute(TObject* Sender);
  void ShowEditsExecute(TObject* Sender);
  void ActionList1Execute(TComponent* Action, bool& Handled);

  void CreateParams(TCreateParams& Params) override;

  // ---- Finding a matter by a line of its description (ClientCaseLookF1DescLookup.cpp) ----
 public:
  // Which description line the list shows (1 to 20), and that line's texts.
  TdcDBSpinEdit* SpinEditDescLine;
  ComboBox* ComboBoxCaseDesc;
  TextLabel* LabelDescLine;

  // Puts the matter of a case-file record into the header as the user would: the client code and
  // a Tab, then the suffix and a Tab, so that the header's own checks fix it.
  void GoToDescribedMatter(const AnsiString& CaseRecord);
  void FormShow(TObject* Sender);
  void SpinEditDescLineChange(TObject* Sender);
  void ComboBoxCaseDescExit(TObject* Sender);
  void ComboBoxCaseDescKeyPress(TObject* Sender, char& Key);

 private:
  // A text of description line 2 to 20 with the key of its matter.
  struct DescriptionEntry {
    AnsiString text;
    AnsiString key;
  };

  void createDescriptionLookup();
  // Line 1's texts from the case file; line n's entries from the description-line file.
  void readLineOneTexts();
  void readDescriptionLines(int line);
  // The case record the combo's choice names; false, the user told, when there is none.
  bool findDescribedMatter(AnsiString& record);

  // Sorted: line 1's texts, kept to be shown again, and the entries of the line shown when it is
  // not line 1.
  std::vector<AnsiString> lineOneTexts_;
  std::vector<DescriptionEntry> lineEntries_;
  int shownLine_ = 1;
  // A matter found is on its way into the header.
  bool goingToMatter_ = false;
  // ---- end of the description lookup ----

 protected:
  // WM_COMMAND and WM_MOUSEACTIVATE of the docked header.
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The matter fixed by the suffix or the alternate ID: the edits shown, the marker checked, the
  // focus on next.
  void showMatter(TWinControl* next);
  // The matter given up: the edits hidden, the marker gone.
  void releaseMatter();
  void rememberLookupControl(TWinControl* control);

  bool firstActivation_ = true;
  // The control whose focus notice the header saw last while the billing format was active.
  TWinControl* commandControl_ = nullptr;

  // ---- The billing format and its table, the calendar's case-list files, the values passed on
  // the command line, and the header's end (ClientCaseLookF1Formats.cpp).
 public:
  ~TClientCaseLookF1() override;

  TPopupMenu* PopupMenu1;
  TMenuItem* ShowTSC1;
  FileList* FileListBox1;
  TdcTbTable* TSC_;
  TdcTbTable* ReportList_;
  ShapeControl* Shape1;
  BevelLine* Bevel1;
  BevelLine* Bevel2;

  // Opens the format table and the code table its long names come from; an open failure is told
  // once and the header goes on without the table.
  void OpenTSC();
  // Captions the description panel's first line after the matter's billing format.
  void SetABFLabels();
  // The command line's client, respectively client and matter, put into the combos once per run.
  void SetPassedClientValues();
  void SetPassedCaseValues();

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void ClientCodeEnter(TObject* Sender);
  void ClientNameEnter(TObject* Sender);
  void CaseSuffixEnter(TObject* Sender);
  void AltBillFormatEnter(TObject* Sender);
  void AltBillFormatChange(TObject* Sender);
  void AltBillFormatDropDown(TObject* Sender);
  void AltBillFormatKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
  void ShowTSC1Click(TObject* Sender);
  void TSC_CalcFields(TDataSet* DataSet);
  void TSC_FilterRecord(TDataSet* DataSet, bool& Accept);

 private:
  void createFormatComponents();

  bool tscOpenFailed_ = false;
  bool passedClientValuesSet_ = false;
  bool passedCaseValuesSet_ = false;
};

extern TClientCaseLookF1* ClientCaseLookF1;
