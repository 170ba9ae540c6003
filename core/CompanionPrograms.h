#pragma once
// The suite's other programs as this one sees them: whether the case manager runs, and starting
// one through a script when it cannot be started directly.
#include "framework/base/AnsiString.h"

// True when the case manager's entry window is open; waits while another instance is starting.
bool IsCaseManagerRunning();

// Writes CommandLine as the only line of LookupDataDir\temp<NameSuffix>.bat and runs that file
// hidden. When it cannot be run, an error box shows Intro, the command and the reason.
void RunHiddenBatch(const AnsiString& CommandLine, const AnsiString& NameSuffix, const AnsiString& Intro);
