#pragma once
// Finding files by mask, as a search for "C:\data\*.qic" does: '*' stands for any run of
// characters, '?' for one, letters match without regard to case, and a mask ending in ".*" also
// takes names without an extension. "." and ".." are not listed.
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace qn::os {

struct DirectoryEntry {
  std::string name;
  bool isDirectory = false;
  std::uintmax_t size = 0;
  std::time_t modified = 0;
};

// The entries of the pattern's folder (the current folder when it names none) whose names match
// its mask, in name order. Empty when the folder does not exist.
std::vector<DirectoryEntry> listDirectory(std::string_view pattern);

}  // namespace qn::os
