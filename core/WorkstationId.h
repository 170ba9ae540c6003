#pragma once
// The workstation's two-character ID, from the [Setup] section's WSID entry of Qnvantor.ini in
// the Windows folder. The main window's unit start reads it before anything opens a file.
#include "framework/base/AnsiString.h"

// Where the ID is kept.
AnsiString WorkstationIniPath();

// Sets WorkstationId. A file without a section spelled exactly "Setup" (a missing or unreadable
// file included) and a [Setup] without a key spelled exactly "WSID" each show their error box and
// ask the application to terminate; the reading goes on, so WorkstationId ends "WE" (of the
// default "WError") when WSID is missing. An ID (the first two characters) that is not two
// characters after trimming ("", "1", " 1") is refused as a missing WSID.
void ReadWorkstationId();
