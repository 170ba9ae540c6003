#include "platform/os/HiveFile.h"

#include "platform/os/AtomicFile.h"
#include "platform/os/FaultInjection.h"
#include <mutex>

#include "platform/os/LockFile.h"
#include "platform/os/HiveText.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/RegistryError.h"

namespace qn::os {
namespace {

// File errors surface as registry errors: callers of the registry handle one kind.
template <typename F>
auto asRegistryError(F&& f) {
  try {
    return f();
  } catch (const FileError& e) {
    throw RegistryError(e.what());
  }
}

}  // namespace

HiveFile::HiveFile(const std::string& hiveName) : name_(hiveName) {
  std::string dir = registryDir();
  path_ = dir + "/" + hiveName + ".hive";
  lockPath_ = dir + "/" + hiveName + ".lock";
}

HiveKey HiveFile::read() const {
  std::optional<std::string> text = asRegistryError([&] { return readWholeFile(path_); });
  return text ? parseHive(*text, path_) : HiveKey();
}

void HiveFile::update(const std::function<bool(HiveKey&)>& change) const {
  asRegistryError([&] {
    LockFile lockFile(lockPath_);
    std::lock_guard lock(lockFile);
    removeStaleTemporaries(path_);
    HiveKey hive = read();
    if (!change(hive)) return;
    replaceFileContent(path_, formatHive(hive, name_), [&] {
      if (takeInjectedFault(Fault::HiveWrite)) throw RegistryError("injected failure writing " + path_);
    });
  });
}

}  // namespace qn::os
