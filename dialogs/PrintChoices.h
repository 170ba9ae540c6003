#pragma once
// The print-choices file Print<ws>.QC and the rules by which the printing choices name, check and
// create print files: the report codes, the date and time patterns ("*", "+", "*+"), the
// four-symbol time names, the 8.3 length rules and the forbidden characters. Everything works on
// PrintChoice (PrintChoice.h).
#include <array>
#include <cstdint>

#include "dialogs/PrintChoice.h"
#include "framework/base/AnsiString.h"

class TdcTbTable;
class TComponent;

// The two-character code of each report, index 0 for report 1; numbers without a code are two
// blanks.
extern const std::array<AnsiString, 90> ReportCodeTable;
// Two blanks outside 1 to 90.
AnsiString ReportCode(int ReportNumber);

// The format a print file is written in; a PDF name must end in ".PDF", a text or data name not.
enum class PrintFileFormat { Text, Data, Pdf };

// The print-choices table of this workstation: layout PRINT, every post refused, since the
// dialog only reads the file the suite's setup keeps.
TdcTbTable* MakePrintTable(TComponent* Owner);

// Loads the report PrintChoice.ReportNumber's settings row and printer row into PrintChoice,
// offering the defaults when the file is missing, cannot be opened or lacks a row. False: the
// user declined and nothing is to be printed.
bool GetPrintTBInfo(TdcTbTable* PrintTB);
// Copies ProgramDir's Print.clo to this workstation's print-choices file, never over one.
bool CreatePrintWSid();
void GetDefaults();

// The name the pattern gives now for report PrintChoice.ReportNumber.
AnsiString StarPlus(const AnsiString& Pattern);
// Four symbols from Number (cut to at most 1679615 first); places the number does not reach get
// a random digit.
void GetTimeName(int64_t& Number, AnsiString& Name);

// A key typed into the name box: a forbidden character other than '*' and '+' is refused with a
// message and dropped (Key becomes 0).
void FilterPrintFileNameKey(char& Key);
// The checks on leaving the name box; a pattern is replaced by its name. False after a message.
bool EditFileName(AnsiString& Name);
// Whether Name may be used for a file of Format; a PDF name may be given its extension (the
// user is asked before one is changed). False after a message.
bool IsPrintFileNameOK(AnsiString& Name, PrintFileFormat Format);
// Folder and Name joined with one backslash.
AnsiString DoPrintPathFileName(const AnsiString& Folder, const AnsiString& Name);

// The file made empty (an existing one emptied); false when it cannot be.
bool CreateEmptyPrintFile(const AnsiString& Path);

// The report is shown on screen: for a stack run only marked so, otherwise through a new empty
// scratch file in the data folder named by the time. False when no file could be made.
bool DoViewer();
// A stack report's file: the first free numbered name in FileSpec's folder (the data folder for
// none or the screen). False when the code is unknown or the file cannot be made.
bool CreateStackReportFile(const AnsiString& Code, const AnsiString& FileSpec);

// The text shown for a report that goes to the screen instead of a file.
inline const AnsiString ScreenFullName = "NONE (PRINTING TO SCREEN)";
