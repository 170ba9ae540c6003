#pragma once
// The program's globals: the folders it works in, its workstation, the rights of the logged-in
// user and the printers' names. Start-up and the rights readers fill them; every form reads them.
#include "core/NumberedTexts.h"
#include "framework/base/AnsiString.h"

class StringList;
class TWinControl;

// The folder of the program file (platform/os/ExecutablePath.h), without a trailing separator.
AnsiString ExecutableFolder();

// Folders without a trailing separator. ProgramDir starts as ExecutableFolder().
extern AnsiString DataDir;
extern AnsiString ProgramDir;
extern AnsiString LookupDataDir;
// Two characters naming this workstation's own files.
extern AnsiString WorkstationId;

// Set by the main window as it is created, before the data modules exist: true when the program
// was started for the docket calendar. The case-type code tables then list calendar items ('I')
// and places ('P') instead of case types ('A').
extern bool CalendarParameter;
// The validation letter of the code box that has the focus: "Y", "N" or "R" ("R": an entry is
// required).
extern AnsiString CurrentCodeValidation;
// The control the main window remembers as active while it is activated; none otherwise.
extern TWinControl* MouseActivateControl;

// 'Y' allowed, 'N' refused; some files also 'H' or 'D' (see UserRights.h).
extern NumberedTexts<99> FileRights;
extern NumberedTexts<26> FunctionRights;
extern NumberedTexts<36> ReportRights;
// The employees whose records the user may see.
extern NumberedTexts<15> PermittedEmployeeCodes;

// The printers' names, made by the first BuildPrinterList (PrinterList.h) and kept for the run;
// none before that.
extern StringList* PrinterNames;
