#include "platform/os/RuntimeFolders.h"

#include <filesystem>

#include "platform/os/MachineRoot.h"

namespace qn::os {

std::string runtimeSubdir(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(runtimeDir()) / name;
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace qn::os
