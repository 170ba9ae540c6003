// A child for the multi-process tests: writes many values into a registry key or an INI file
// that other writers change at the same time, each value named after this writer.
//   qn-shared-writer registry <writer name> <number of values>
//   qn-shared-writer ini <file> <writer name> <number of values>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/os/IniFile.h"
#include "platform/os/RegistryKey.h"

namespace {

void writeRegistry(const std::string& writer, int count) {
  qn::os::RegistryKey reg(qn::os::HKEY_LOCAL_MACHINE);
  for (int i = 0; i < count; ++i) {
    // Open afresh each time, as the program does, so key creation races too.
    if (!reg.OpenKey("\\Software\\Shared", true)) throw std::runtime_error("cannot open the shared key");
    reg.WriteString(writer + "-" + std::to_string(i), "written by " + writer);
    if (!reg.OpenKey("\\Software\\Shared\\" + writer, true)) throw std::runtime_error("cannot open the own key");
    reg.WriteInteger("Count", i + 1);
    reg.CloseKey();
  }
}

void writeIni(const std::string& file, const std::string& writer, int count) {
  qn::os::IniFile ini(file);
  for (int i = 0; i < count; ++i) {
    ini.WriteString("Shared", writer + "-" + std::to_string(i), "written by " + writer + ", line " + std::to_string(i));
    ini.WriteInteger(writer, "Count", i + 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc > 1 ? argv[1] : "";
  try {
    if (kind == "registry" && argc == 4) {
      writeRegistry(argv[2], std::atoi(argv[3]));
    } else if (kind == "ini" && argc == 5) {
      writeIni(argv[2], argv[3], std::atoi(argv[4]));
    } else {
      std::fprintf(stderr, "usage: %s registry <writer> <count> | ini <file> <writer> <count>\n", argv[0]);
      return 2;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
  return 0;
}
