#pragma once
// TZOLTEmlF ("Quillon Email Setup"): the suite's e-mail settings that its reporting and statement
// programs read - which e-mail programs may send and in what order, the texts of report and
// statement e-mails, the sender, the outgoing mail host and port, and how many statement e-mail
// log entries are kept. Settings only: nothing here sends mail or opens a connection. Made by
// TPrntDefF::EmailSetup.
#include "dialogs/EmailProgramGrid.h"
#include "editors/DBSpinEdit.h"
#include "editors/SpinButton.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GlyphButton.h"
#include "framework/ui/GroupFrame.h"
#include "framework/ui/Memo.h"
#include "framework/ui/RadioButtonGroup.h"
#include "framework/ui/TextLabel.h"

class TZOLTEmlF : public TForm {
  QN_CLASS(TZOLTEmlF, TForm)
 public:
  explicit TZOLTEmlF(TComponent* AOwner);

  // The report value (ZOLT_Email), the sender address (empty: prompt) and the statement value
  // (Statement_Email) shown; the log limit is read from the Host key.
  void LoadSettings(const AnsiString& ReportEmail, const AnsiString& Sender, const AnsiString& StatementEmail);
  // The values as Save writes them.
  AnsiString ReportEmailValue() const;
  AnsiString StatementEmailValue() const;
  AnsiString SenderValue() const;
  // True once Save wrote every value.
  bool Saved() const { return saved_; }

  EmailProgramGrid* ProgramGrid;
  TdcSpinButton* ProgramSpinButton;
  RadioButtonGroup* ReportTextRadioGroup;
  TMemo* ReportTextMemo;
  TEdit* SubjectEdit;
  RadioButtonGroup* StatementTextRadioGroup;
  TMemo* StatementTextMemo;
  RadioButtonGroup* SenderRadioGroup;
  TEdit* SenderEdit;
  TEdit* HostEdit;
  TEdit* PortEdit;
  TdcDBSpinEdit* LogLimitSpinEdit;
  GlyphButton* SaveBitBtn;
  GlyphButton* ExitBitBtn;

  // The letters of the programs: the suite's own sender, a Microsoft-compliant program, Thunderbird.
  enum { ReportHeader, ReportPrompt, ReportCustom };
  enum { StatementPrompt, StatementCustom };
  enum { SenderPrompt, SenderFrom };

  void FormShow(TObject* Sender);
  void SaveBitBtnClick(TObject* Sender);
  void PortEditExit(TObject* Sender);
  void ProgramChecked(int Row);
  void TextChoiceClick(TObject* Sender);
  void SenderRadioGroupClick(TObject* Sender);

 private:
  void showCustomText(TMemo* memo, bool enabled, const AnsiString& text);
  static AnsiString customText(const TMemo* memo);
  bool portAccepted();
  void fitGrid();
  void enableSender(bool enabled);
  int suiteSenderRow() const;

  bool saved_ = false;
};
