#include "platform/os/DirectoryListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/os/FileNames.h"
#include "platform/os/NameCompare.h"
#include "platform/os/Paths.h"

namespace qn::os {
namespace {

bool sameLetter(char a, char b) { return sameNameWithoutCase(std::string_view(&a, 1), std::string_view(&b, 1)); }

bool matchesFrom(std::string_view name, std::string_view mask) {
  // Backtracking over the last '*' only: enough for masks and linear in practice.
  size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && sameLetter(mask[m], name[n])))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

bool matchesMask(std::string_view name, std::string_view mask) {
  if (matchesFrom(name, mask)) return true;
  bool anyExtension = mask.size() >= 2 && mask.substr(mask.size() - 2) == ".*";
  return anyExtension && name.find('.') == std::string_view::npos && matchesFrom(name, mask.substr(0, mask.size() - 2));
}

}  // namespace

std::vector<DirectoryEntry> listDirectory(std::string_view pattern) {
  std::string folderPart = extractFilePath(pattern);
  const std::string mask = extractFileName(pattern);
  const std::string folder = folderPart.empty() ? std::string(".") : resolvePath(folderPart);
  std::vector<DirectoryEntry> entries;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return entries;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name == "." || name == ".." || !matchesMask(name, mask)) continue;
    struct stat st;
    if (::stat((folder + "/" + name).c_str(), &st) != 0) continue;  // gone meanwhile, or a broken link
    entries.push_back({name, S_ISDIR(st.st_mode), static_cast<std::uintmax_t>(st.st_size), st.st_mtime});
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
    return compareNamesWithoutCase(a.name, b.name) < 0;
  });
  return entries;
}

}  // namespace qn::os
