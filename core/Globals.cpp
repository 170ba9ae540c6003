#include "core/Globals.h"

#include <filesystem>

#include "framework/base/StringList.h"
#include "platform/os/ExecutablePath.h"

AnsiString ExecutableFolder() { return std::filesystem::path(qn::os::executablePath()).parent_path().string(); }

AnsiString DataDir;
AnsiString ProgramDir = ExecutableFolder();
AnsiString LookupDataDir;
AnsiString WorkstationId;

bool CalendarParameter = false;
AnsiString CurrentCodeValidation;
TWinControl* MouseActivateControl = nullptr;

NumberedTexts<99> FileRights;
NumberedTexts<26> FunctionRights;
NumberedTexts<36> ReportRights;
NumberedTexts<15> PermittedEmployeeCodes;

StringList* PrinterNames = nullptr;
