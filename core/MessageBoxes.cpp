#include "core/MessageBoxes.h"

#include "framework/ui/Dialogs.h"

void ShowInformationBox(const AnsiString& Text) { MessageDlg(Text, mtInformation, {mbOK}, 0); }
void ShowWarningBox(const AnsiString& Text) { MessageDlg(Text, mtWarning, {mbOK}, 0); }
void ShowErrorBox(const AnsiString& Text) { MessageDlg(Text, mtError, {mbOK}, 0); }

bool AskYesNo(const AnsiString& Question) { return MessageDlg(Question, mtConfirmation, {mbYes, mbNo}, 0) == mrYes; }
