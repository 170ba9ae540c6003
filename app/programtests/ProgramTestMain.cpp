// The program's tests run, like the program, on a demo: its units read the demo's settings as they
// start, so the demo is seeded and the machine root set before they do.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "testing/TestDirs.h"
#include "testing/TestProcess.h"
#include "platform/os/ExecutablePath.h"

int main(int argc, char** argv) {
  const bool listing = qn::testing::onlyListingTests(argc, argv);
  return qn::testing::runTestProcess(argc, argv, [&] {
    if (listing) return;
    const std::string demo = qn::testing::scratchRoot() + "/demo";
    const auto programs = std::filesystem::path(qn::os::runningProgramFolder());
    const std::string command = "'" + (programs / "qnseed").string() + "' demo '" + demo + "' >/dev/null";
    if (std::system(command.c_str()) != 0) {
      std::cerr << "The demo could not be seeded: " << command << '\n';
      std::exit(1);
    }
    setenv("QN_ROOT", (demo + "/root").c_str(), 1);
  });
}
