#pragma once
// The machine-wide part of the demo: the registry (data aliases, the program's settings, the
// suite's other programs, the user's rights, printing and spelling settings) and the Windows
// folder's Qnvantor.ini, written into the machine root of this process (QN_ROOT).
#include <filesystem>
#include <string>

namespace qn::seed {

struct DemoFolders {
  std::filesystem::path data;     // the data alias's folder
  std::filesystem::path reports;  // where print files go by default
  std::filesystem::path history;  // the data folder's history path
  std::filesystem::path program;  // the program folder (spelling dictionaries)
};

// Throws what the registry and INI services throw.
void writeDemoMachine(const DemoFolders& folders, const std::string& workstationId);

}  // namespace qn::seed
