#include "platform/os/Paths.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <vector>

namespace qn::os {
namespace {

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The entry of folder dir matching name without regard to case; empty when none.
std::string findWithoutCase(const std::string& dir, const std::string& name) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return {};
  std::vector<std::string> matches;
  while (dirent* e = ::readdir(d)) {
    if (strcasecmp(e->d_name, name.c_str()) == 0) matches.emplace_back(e->d_name);
  }
  ::closedir(d);
  if (matches.size() > 1)
    throw AmbiguousPathError("\"" + name + "\" in \"" + dir + "\" matches both \"" + matches[0] + "\" and \"" +
                             matches[1] + "\"");
  return matches.empty() ? std::string() : matches[0];
}

}  // namespace

std::string resolvePath(std::string_view programPath) {
  std::string path(programPath);
  for (char& c : path)
    if (c == '\\') c = '/';

  std::string result;
  size_t i = 0;
  if (!path.empty() && path[0] == '/') {
    result = "/";
    i = 1;
  }
  while (i <= path.size()) {
    size_t slash = path.find('/', i);
    if (slash == std::string::npos) slash = path.size();
    std::string part = path.substr(i, slash - i);
    i = slash + 1;
    if (part.empty()) continue;
    std::string candidate = result.empty() || result.back() == '/' ? result + part : result + "/" + part;
    if (!exists(candidate) && part != "." && part != "..") {
      std::string dir = result.empty() ? "." : result;
      std::string match = findWithoutCase(dir, part);
      if (!match.empty()) candidate = result.empty() || result.back() == '/' ? result + match : result + "/" + match;
    }
    result = candidate;
  }
  return result;
}

}  // namespace qn::os
