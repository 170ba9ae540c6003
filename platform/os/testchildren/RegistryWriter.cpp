// A child for the multi-process registry tests: writes many values into one shared key of
// HKEY_LOCAL_MACHINE in the machine root it inherits, each named after this writer.
//   qn-registry-writer <writer name> <number of values>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/os/RegistryKey.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <writer name> <number of values>\n", argv[0]);
    return 2;
  }
  const std::string writer = argv[1];
  const int count = std::atoi(argv[2]);
  try {
    qn::os::RegistryKey reg(qn::os::HKEY_LOCAL_MACHINE);
    for (int i = 0; i < count; ++i) {
      // Open afresh each time, as the program does, so key creation races too.
      if (!reg.OpenKey("\\Software\\Shared", true)) return 3;
      reg.WriteString(writer + "-" + std::to_string(i), "written by " + writer);
      reg.CloseKey();
      if (!reg.OpenKey("\\Software\\Shared\\" + writer, true)) return 3;
      reg.WriteInteger("Count", i + 1);
      reg.CloseKey();
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", writer.c_str(), e.what());
    return 1;
  }
  return 0;
}
