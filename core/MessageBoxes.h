#pragma once
// The boxes the application core shows: information, warning and error, each with an OK button,
// and a question with Yes and No (message dialogs, centred).
#include "framework/base/AnsiString.h"

void ShowInformationBox(const AnsiString& Text);
void ShowWarningBox(const AnsiString& Text);
void ShowErrorBox(const AnsiString& Text);
// True when the user answers Yes.
bool AskYesNo(const AnsiString& Question);
