#include "core/Globals.h"

#include <filesystem>

#include "framework/base/StringList.h"

namespace {

AnsiString executableFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
}

}  // namespace

AnsiString DataDir;
AnsiString ProgramDir = executableFolder();
AnsiString LookupDataDir;
AnsiString WorkstationId;

NumberedTexts<99> FileRights;
NumberedTexts<26> FunctionRights;
NumberedTexts<36> ReportRights;
NumberedTexts<15> PermittedEmployeeCodes;

StringList* PrinterNames = nullptr;
