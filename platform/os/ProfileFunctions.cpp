#include "platform/os/ProfileFunctions.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "platform/os/IniFile.h"
#include "platform/os/MachineRoot.h"

namespace qn::os {

std::string profileFilePath(std::string_view fileName) {
  if (fileName.find_first_of("\\/:") != std::string_view::npos) return std::string(fileName);
  return windowsDir() + "/" + std::string(fileName);
}

AnsiString getPrivateProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                   std::string_view fileName) {
  return IniFile(profileFilePath(fileName)).ReadString(section, key, defaultValue);
}

int getPrivateProfileInt(std::string_view section, std::string_view key, int defaultValue, std::string_view fileName) {
  IniFile file(profileFilePath(fileName));
  if (!file.ValueExists(section, key)) return defaultValue;
  AnsiString value = file.ReadString(section, key, "");
  const bool negative = !value.empty() && value[0] == '-';
  long long number = 0;
  for (size_t i = negative ? 1 : 0;
       i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])) && number <= INT32_MAX; ++i)
    number = number * 10 + (value[i] - '0');
  // Digits beyond the range stop at its nearest end.
  return static_cast<int>(std::clamp<long long>(negative ? -number : number, INT32_MIN, INT32_MAX));
}

bool writePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               std::string_view fileName) {
  try {
    IniFile(profileFilePath(fileName)).WriteString(section, key, value);
    return true;
  } catch (const OsError&) {
    return false;
  }
}

int getProfileInt(std::string_view section, std::string_view key, int defaultValue) {
  return getPrivateProfileInt(section, key, defaultValue, "win.ini");
}

}  // namespace qn::os
