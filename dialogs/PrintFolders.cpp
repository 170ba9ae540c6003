#include "dialogs/PrintFolders.h"

#include <filesystem>

#include "core/Globals.h"
#include "framework/base/TextCase.h"
#include "platform/os/DriveMap.h"
#include "platform/os/Paths.h"

namespace {

std::string withoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::optional<std::string> resolved(const AnsiString& path) {
  try {
    return withoutTrailingSeparator(std::filesystem::path(qn::os::resolvePath(path)).lexically_normal().string());
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<char> DriveHolding(const AnsiString& Folder) {
  const std::optional<std::string> path = resolved(Folder);
  if (!path) return std::nullopt;
  std::optional<char> holder;
  std::size_t depth = 0;
  try {
    for (const auto& [letter, mapped] : qn::os::mappedDrives()) {
      const std::string root = withoutTrailingSeparator(mapped);
      const bool holds = *path == root || path->rfind(root == "/" ? root : root + "/", 0) == 0;
      if (holds && root.size() >= depth) {
        holder = letter;
        depth = root.size();
      }
    }
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return holder;
}

AnsiString DataFolderDriveRoot() {
  const std::optional<char> drive = DriveHolding(DataDir);
  return drive ? AnsiString(1, *drive) + ":\\" : DataDir;
}

bool SameFolder(const AnsiString& A, const AnsiString& B) {
  const std::optional<std::string> a = resolved(A), b = resolved(B);
  return a && b && UpperCase(*a) == UpperCase(*b);
}

bool DriveReady(char Letter) {
  try {
    const std::optional<std::string> folder = qn::os::driveFolder(Letter);
    return folder && std::filesystem::is_directory(*folder);
  } catch (const std::exception&) {
    return false;
  }
}
