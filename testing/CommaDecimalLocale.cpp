#include "testing/CommaDecimalLocale.h"

#include <clocale>
#include <cstdlib>

#include "testing/TestDirs.h"

namespace qn::testing {

bool useCommaDecimalLocale(std::string& why) {
  static const std::string folder = [] {
    const std::string dir = makeScratchDir("comma-locale");
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? dir : std::string();
  }();
  if (folder.empty()) {
    why = "localedef could not build de_DE.UTF-8 on this machine";
    return false;
  }
  ::setenv("LOCPATH", folder.c_str(), 1);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8") || std::localeconv()->decimal_point[0] != ',') {
    why = "the de_DE.UTF-8 locale built here does not use a decimal comma";
    return false;
  }
  return true;
}

void useClassicLocale() { std::setlocale(LC_ALL, "C"); }

}  // namespace qn::testing
