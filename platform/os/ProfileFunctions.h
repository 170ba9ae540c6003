#pragma once
// The plain profile functions. A profile file named without a folder lives in the Windows folder
// (<machine root>/windows), as the system's own win.ini does.
#include <string>
#include <string_view>

#include "framework/base/AnsiString.h"

namespace qn::os {

// The file a profile file name stands for: a bare name in the Windows folder, else the path.
std::string profileFilePath(std::string_view fileName);

AnsiString getPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                   std::string_view fileName);
// The number the value begins with ("12 days" gives 12, a value without one gives 0); the
// default when the key is missing.
int getPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue, std::string_view fileName);
// False when the file cannot be written.
bool writePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               std::string_view fileName);

// getPrivateProfileInt on win.ini.
int getProfileInt(std::string_view section, std::string_view key, int defaultValue);

}  // namespace qn::os
