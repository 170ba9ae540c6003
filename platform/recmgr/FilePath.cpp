#include "platform/recmgr/FilePath.h"

#include <climits>
#include <cstdlib>

#include "platform/os/Paths.h"

namespace qn::recmgr {
namespace {

bool isAbsolute(const std::string& name) {
  return name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':');
}

// The real path of what exists, and of a new file's folder.
std::string canonical(const std::string& path) {
  char buffer[PATH_MAX];
  if (::realpath(path.c_str(), buffer)) return buffer;
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return path;
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  if (!::realpath(folder.c_str(), buffer)) return path;
  const std::string real = buffer;
  return (real == "/" ? real : real + "/") + path.substr(slash + 1);
}

}  // namespace

Status resolveFilePath(const std::string& directory, const std::string& name, std::string& path) {
  // A name ending in a separator names a folder, never a record file (nor one named after it).
  if (name.empty() || name.back() == '/' || name.back() == '\\') return status::invalidFileName;
  try {
    path = canonical(qn::os::resolvePath(isAbsolute(name) ? name : directory + "/" + name));
  } catch (const qn::os::AmbiguousPathError&) {
    return status::invalidFileName;
  } catch (const qn::os::UnmappedDriveError&) {
    return status::directoryError;  // like any folder that is not there
  }
  return status::ok;
}

}  // namespace qn::recmgr
