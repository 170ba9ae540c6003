#pragma once
// reg.tmp: settings written as text beside the executable, one "key\name=value" line each (key
// as in SettingKeys.h). Consulted only when a settings key does not open, and only by a program
// whose main form is named "Form1"; this program's main window has another name, so here it
// never answers. Read, never written.
#include "framework/base/AnsiString.h"

// True with Value when the first line for Key and Name holds a value; false when there is none,
// the value is empty, or the file cannot be read.
bool ReadRegFallback(const AnsiString& Key, const AnsiString& Name, AnsiString& Value);
