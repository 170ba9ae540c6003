#pragma once
// The suite's other programs as this one sees them: where each one's file lies, whether the case
// manager runs, and starting one through a script when it cannot be started directly.
#include <vector>

#include "framework/base/AnsiString.h"

// True when the case manager's entry window is open; waits while another instance is starting.
bool IsCaseManagerRunning();

// Writes CommandLine as the only line of LookupDataDir\temp<NameSuffix>.bat and runs that file
// hidden. When it cannot be run, an error box shows Intro, the command and the reason.
void RunHiddenBatch(const AnsiString& CommandLine, const AnsiString& NameSuffix, const AnsiString& Intro);

// The program file of one of the suite's other programs: ProgramDir + "/" + the file name the
// value Role ("ClientEntry", "AccountStatus", "Reporting", "CaseManager", "CalendarExport",
// "DelinquentTracking") of ProgramsKey gives; empty when that value is missing or blank.
AnsiString CompanionProgramPath(const AnsiString& Role);

// A command line for /bin/sh that runs Program with exactly these arguments: every word in single
// quotes, so no blank, quote, semicolon or dollar sign in a name splits it or runs anything.
AnsiString ShellCommandLine(const AnsiString& Program, const std::vector<AnsiString>& Arguments);
