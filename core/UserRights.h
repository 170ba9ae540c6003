#pragma once
// The rights of the logged-in user. The suite stores them in the Host key as numbers whose binary
// digits grant one file, function or report each, with a control total per group that must equal
// ArgInitN plus the group's numbers exactly. The loaders check the totals and expand the numbers
// into FileRights, FunctionRights and ReportRights (Globals.h): 'Y' allowed, 'N' refused, and for
// files 53, 54, 57, 61, 65, 69 and 73 also 'H' or 'D' from the markers in ArgFile6.
//
// Bits are read the way the suite wrote them: from the highest down, a bit whose value exceeds
// what remains of the number refuses its item, any other grants it and is taken off the number.
#include "framework/base/AnsiString.h"

// One string value of the Host key; empty, after an information box, when it cannot be read.
void ReadHostSetting(const AnsiString& Name, AnsiString& Value);

// False when a value is not a number or its total does not match; the rights are then left as
// they were, except the functions, which are all refused before anything is read.
bool LoadFileRights();
bool LoadFunctionRights();
bool LoadReportRights();

// Tells the user the security data are damaged. Code "0" (or no number) blames the system, 1 to
// 9 the security file, above 10 the registry; the main window passes "12" for files, "13" for
// functions and "14" for reports.
void ShowSecurityDataError(const AnsiString& Code);
