#pragma once
// The program's globals: the folders it works in, its workstation, the rights of the logged-in
// user and the printers' names. Start-up and the rights readers fill them; every form reads them.
#include "core/NumberedTexts.h"
#include "framework/base/AnsiString.h"

class StringList;

// Folders without a trailing separator. ProgramDir starts as the executable's folder.
extern AnsiString DataDir;
extern AnsiString ProgramDir;
extern AnsiString LookupDataDir;
// Two characters naming this workstation's own files.
extern AnsiString WorkstationId;

// 'Y' allowed, 'N' refused; some files also 'H' or 'D' (see UserRights.h).
extern NumberedTexts<99> FileRights;
extern NumberedTexts<26> FunctionRights;
extern NumberedTexts<36> ReportRights;
// The employees whose records the user may see.
extern NumberedTexts<15> PermittedEmployeeCodes;

// The printers' names, made by the first BuildPrinterList (PrinterList.h) and kept for the run;
// none before that.
extern StringList* PrinterNames;
