// A second program for the alias tests: saves one alias into the registry through a session,
// as another workstation's program would.
//   qn-alias-writer <name> <parameter text>
#include <exception>
#include <iostream>

#include "recordmgr/tests/TestSession.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: qn-alias-writer <name> <parameter text>\n";
    return 2;
  }
  try {
    sessiontest::TestSession session(nullptr, nullptr, "writer", nullptr);
    session.SaveAliasToRegistry(argv[1], argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "qn-alias-writer: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
