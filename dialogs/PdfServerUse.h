#pragma once
// The PDF report server as the printing choices see it: whether it is registered from the
// program folder, writing the registration when it is missing, and telling the user what is
// wrong when neither serves.
#include "framework/base/AnsiString.h"

// The registered server's path into Path. False after the diagnostic message when the key or its
// value cannot be read.
bool IsPdfServerRegistered(AnsiString& Path);
// Writes the registration for the server in ProgramFolder; false when a key could not be opened
// (or, after its message, when the registry failed).
bool RegisterPdfServer(const AnsiString& ProgramFolder);
bool IsWindows64Bit();
// Whether the server's file lies in the folder, by the rule the program loads libraries by.
bool PdfServerFilePresent(const AnsiString& Folder);
// Before a PDF report: true when the server is registered from the program folder, is present
// there, or has just been registered; otherwise the user has been told why not.
bool PdfServerReadyForPrinting();
