#pragma once
// One registry hive on disk, shared by every process of the machine root. Reads take the whole
// file without a lock (it is only ever replaced whole). A change holds the hive's lock file for
// the whole read-modify-write and replaces the hive atomically, so two processes writing at once
// both keep their values, and a crash leaves the old hive or the new one.
#include <functional>
#include <string>

#include "platform/os/HiveKey.h"

namespace qn::os {

class HiveFile {
 public:
  // The hive of that name in the machine root's registry folder.
  explicit HiveFile(const std::string& hiveName);

  const std::string& path() const { return path_; }

  // The hive as it stands; empty when it was never written. RegistryError when damaged.
  HiveKey read() const;

  // Applies change to the current hive and writes the result when change answers true.
  // Whatever change or the write throws leaves the hive file as it was.
  void update(const std::function<bool(HiveKey&)>& change) const;

 private:
  std::string name_;
  std::string path_;
  std::string lockPath_;
};

}  // namespace qn::os
