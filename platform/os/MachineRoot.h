#pragma once
// Where the machine-wide state lives that the other operating system kept in its own places.
//   machine root:   QN_ROOT, else $XDG_DATA_HOME/quillon, else ~/.local/share/quillon;
//                   holds registry/ (one file per hive), windows/ (the Windows folder) and drives.
//   runtime folder: QN_RUNTIME_DIR, else $XDG_RUNTIME_DIR/quillon, else /tmp/quillon-<uid>;
//                   holds what lives only while programs run (named mutexes, the window registry,
//                   message sockets). Both are created on first use.
#include <string>

namespace qn::os {

std::string machineRoot();
std::string registryDir();    // <machine root>/registry
std::string windowsDir();     // <machine root>/windows
std::string driveMapFile();   // <machine root>/drives
std::string runtimeDir();

}  // namespace qn::os
