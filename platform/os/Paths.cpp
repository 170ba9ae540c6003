#include "platform/os/Paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <vector>

#include "platform/os/DriveMap.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/NameCompare.h"

namespace qn::os {
namespace {

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

// The entry of folder dir matching name without regard to case; empty when none.
std::string findWithoutCase(const std::string& dir, const std::string& name) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return {};
  std::vector<std::string> matches;
  while (dirent* e = ::readdir(d)) {
    if (sameNameWithoutCase(e->d_name, name)) matches.emplace_back(e->d_name);
  }
  ::closedir(d);
  if (matches.size() > 1)
    throw AmbiguousPathError("\"" + name + "\" in \"" + dir + "\" matches both \"" + matches[0] + "\" and \"" +
                             matches[1] + "\"");
  return matches.empty() ? std::string() : matches[0];
}

// Where a path starts: the folder of its drive letter, the root, or nothing for a relative path.
// start is what the program cannot go above with "..", rest what follows it.
struct PathStart {
  std::string start;
  std::string rest;
};

PathStart splitStart(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    std::optional<std::string> folder = driveFolder(path[0]);
    if (!folder) {
      char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
      throw UnmappedDriveError("the drive " + std::string(1, letter) + ": of \"" + path +
                               "\" is not mapped; add a line " + std::string(1, letter) + "=<folder> to " +
                               driveMapFile());
    }
    return {*folder, path.substr(2)};
  }
  if (!path.empty() && path[0] == '/') return {"/", path.substr(1)};
  return {"", path};
}

std::string joined(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir.back() == '/' ? dir + name : dir + "/" + name;
}

}  // namespace

std::string resolvePath(std::string_view programPath) {
  std::string path(programPath);
  for (char& c : path)
    if (c == '\\') c = '/';
  auto [start, rest] = splitStart(path);

  // "." and ".." apply to the components before them; a relative path keeps the ".." that reach
  // above its beginning, a path with a start cannot go above it.
  std::vector<std::string> parts;
  for (size_t i = 0; i < rest.size();) {
    size_t slash = rest.find('/', i);
    if (slash == std::string::npos) slash = rest.size();
    std::string part = rest.substr(i, slash - i);
    i = slash + 1;
    if (part.empty() || part == ".") continue;
    if (part == ".." && !parts.empty() && parts.back() != "..") {
      parts.pop_back();
    } else if (part != ".." || start.empty()) {
      parts.push_back(part);
    }
  }

  std::string result = start;
  for (const std::string& part : parts) {
    std::string candidate = joined(result, part);
    if (part != ".." && !exists(candidate)) {
      std::string match = findWithoutCase(result.empty() ? "." : result, part);
      if (!match.empty()) candidate = joined(result, match);
    }
    result = candidate;
  }
  return result.empty() && !path.empty() ? "." : result;
}

}  // namespace qn::os
