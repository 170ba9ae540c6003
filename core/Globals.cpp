#include "core/Globals.h"

#include "framework/base/StringList.h"
#include "platform/os/ExecutablePath.h"

AnsiString ExecutableFolder() { return qn::os::executableFolder(); }

AnsiString DataDir;
AnsiString ProgramDir = ExecutableFolder();
AnsiString LookupDataDir;
AnsiString WorkstationId;

bool CalendarParameter = false;
AnsiString CurrentCodeValidation;
TWinControl* MouseActivateControl = nullptr;
TWinControl* LastLookupControl = nullptr;
bool MatterLoaded = false;
bool HeaderEditsShown = false;

NumberedTexts<99> FileRights;
NumberedTexts<26> FunctionRights;
NumberedTexts<36> ReportRights;
NumberedTexts<15> PermittedEmployeeCodes;
bool SecurityActive = false;
std::vector<AnsiString> InactiveEmployeeCodes;
std::vector<AnsiString> InactiveEmployeeNames;

StringList* PrinterNames = nullptr;

AnsiString AliasDescription;
AnsiString LookupProgramDir;
int FormSizeOption = 0;
bool HideClosedCases = false;
bool HideInactiveClients = false;
bool CalendarMode = false;
bool CalledFromInstance = false;
bool CaseDescLookupOn = false;
int PanelInitStep = 0;
SysopSettingsValues SysopSettings;
bool MonthFirstDates = false;
AnsiString SystemDateText;
AnsiString SystemDateDisplay;
TDateTime SystemDate;
AnsiString EntryMode;
AnsiString DefaultCalAttorney;
AnsiString AttyOrder;
bool ListCasesInNumericOrder = false;
AnsiString AttorneySlots[6];
int AttorneySlotCount = 0;
NumberedTexts<26> ActiveReportRights;
NumberedTexts<99> ActiveFileRights;
NumberedTexts<26> ActiveFunctionRights;
AnsiString CaseManagerDir;
bool HideNotesCases = false;
StringList* SessionAuditList = nullptr;
bool AuditTrailOn = false;
int StayAliveMinutes = 0;
bool ClientNameMissing = false;
bool PendingCaseArgs = false;
bool FormShown = false;
bool CodeTablesOpenFailed = false;
