#pragma once
// The two boxes the application core shows: an information box and an error box, each with an
// OK button (message dialogs, centred).
#include "framework/base/AnsiString.h"

void ShowInformationBox(const AnsiString& Text);
void ShowErrorBox(const AnsiString& Text);
