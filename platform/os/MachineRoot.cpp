#include "platform/os/MachineRoot.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace qn::os {
namespace fs = std::filesystem;
namespace {

std::string fromEnv(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : std::string();
}

std::string ensureDir(const fs::path& dir, fs::perms perms = fs::perms::owner_all) {
  std::error_code ec;
  if (!fs::is_directory(dir)) {
    fs::create_directories(dir, ec);
    if (ec) throw std::runtime_error("cannot create the folder " + dir.string() + ": " + ec.message());
    fs::permissions(dir, perms, ec);
  }
  return dir.string();
}

}  // namespace

std::string machineRoot() {
  std::string root = fromEnv("QN_ROOT");
  if (root.empty()) {
    std::string data = fromEnv("XDG_DATA_HOME");
    if (data.empty()) data = fromEnv("HOME") + "/.local/share";
    root = data + "/quillon";
  }
  return ensureDir(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

std::string registryDir() { return ensureDir(fs::path(machineRoot()) / "registry"); }

std::string windowsDir() {
  return ensureDir(fs::path(machineRoot()) / "windows",
                   fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

std::string driveMapFile() { return (fs::path(machineRoot()) / "drives").string(); }

std::string runtimeDir() {
  std::string dir = fromEnv("QN_RUNTIME_DIR");
  if (dir.empty()) {
    std::string xdg = fromEnv("XDG_RUNTIME_DIR");
    dir = xdg.empty() ? "/tmp/quillon-" + std::to_string(::getuid()) : xdg + "/quillon";
  }
  // Private to the user: other users must not take our mutexes or talk to our windows.
  return ensureDir(dir, fs::perms::owner_all);
}

}  // namespace qn::os
