#pragma once
// The program's globals: the folders it works in, its workstation, the rights of the logged-in
// user and the printers' names. Start-up and the rights readers fill them; every form reads them.
#include <vector>

#include "core/NumberedTexts.h"
#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"

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
// The lookup control the main window's panels and keyboard dispatch last worked in; whoever sets
// it asks for the control's free notification and clears it then. None until set.
extern TWinControl* LastLookupControl;
// A matter is loaded in the main window or being inserted there; the pickers and the description
// editor do nothing without one.
extern bool MatterLoaded;
// The matter's edit panels are shown around the header.
extern bool HeaderEditsShown;

// 'Y' allowed, 'N' refused; some files also 'H' or 'D' (see UserRights.h).
extern NumberedTexts<99> FileRights;
extern NumberedTexts<26> FunctionRights;
extern NumberedTexts<36> ReportRights;
// The employees whose records the user may see.
extern NumberedTexts<15> PermittedEmployeeCodes;
// Whether the user's employee rights are enforced when an employee code is typed.
extern bool SecurityActive;
// Every inactive employee's code and, at the same place, "Last, First" name; the employee lookup
// fills them.
extern std::vector<AnsiString> InactiveEmployeeCodes;
extern std::vector<AnsiString> InactiveEmployeeNames;
inline bool HasInactiveEmployees() { return !InactiveEmployeeCodes.empty(); }

// The printers' names, made by the first BuildPrinterList (PrinterList.h) and kept for the run;
// none before that.
extern StringList* PrinterNames;

// --- What the main window's start-up sets for the rest of the program. ---

// The data alias's description, shown in the main window's status bar.
extern AnsiString AliasDescription;
// The executable's folder as the lookups read it; the same as ProgramDir.
extern AnsiString LookupProgramDir;
// 0 design size, 1 enlarged by 15 %, 2 by 25 %; always 0 in calendar mode. The calendar counts
// its JoinPrefix changes in it afterwards.
extern int FormSizeOption;
// Case start only: the matter screen leaves closed matters and inactive clients out.
extern bool HideClosedCases;
extern bool HideInactiveClients;
// The first argument had 7 characters (calendar start) or 8 (case start by the calendar instance).
extern bool CalendarMode;
extern bool CalledFromInstance;
// The case description offers its lookup (case mode and the Host flag).
extern bool CaseDescLookupOn;
// The code panel the idle handler opens next, 0 to 8; each panel's first opening counts it on.
extern int PanelInitStep;

// The one-letter options of the system-options record (Sysop.qc), read once per run.
struct SysopSettingsValues {
  AnsiString ValCa1, ValCa2, ValCa3, ValCaDpt, ValStmt, ValCal1, ValCalp;
  AnsiString UniqueCaseSuffix, DateFmt, AltIDCap, CaseID, ExitRemind;
};
extern SysopSettingsValues SysopSettings;
// Dates are typed and shown month first.
extern bool MonthFirstDates;

// The working date the program was started with: record-file form (yymmdd), display text, value.
extern AnsiString SystemDateText;
extern AnsiString SystemDateDisplay;
extern TDateTime SystemDate;

// How a matter is chosen: C client code and suffix, N client name and suffix, S suffix only,
// A alternate identifier.
extern AnsiString EntryMode;
extern AnsiString DefaultCalAttorney;
// Four digits: which of the six calendar attorneys takes responsible attorney 1, 2, 3 and the
// coordinating attorney; 0 none.
extern AnsiString AttyOrder;
// The header lists a client's matters by their right-justified suffix ("NumericOrder" of the Host
// settings), else alphabetically.
extern bool ListCasesInNumericOrder;
// The docket calendar's attorney picker: the six attorney codes and how many are in use. The
// client/case header fills the slots of a chosen matter's attorneys in calendar mode.
extern AnsiString AttorneySlots[6];
extern int AttorneySlotCount;

// The logged-in user's rights as the windows read them.
extern NumberedTexts<26> ActiveReportRights;
extern NumberedTexts<99> ActiveFileRights;
extern NumberedTexts<26> ActiveFunctionRights;

extern AnsiString CaseManagerDir;
extern bool HideNotesCases;
// The audit lines of this session; made by the main window's start-up.
extern StringList* SessionAuditList;
extern bool AuditTrailOn;
extern int StayAliveMinutes;
// No client name came with the client code (third argument "x_x_x").
extern bool ClientNameMissing;
// A case suffix came on the command line and waits for the header to take it.
extern bool PendingCaseArgs;
// The main window's start-up has finished.
extern bool FormShown;
// The code tables could not be opened and the program is ending: idle work stops.
extern bool CodeTablesOpenFailed;
