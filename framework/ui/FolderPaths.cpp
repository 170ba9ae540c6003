#include "framework/ui/FolderPaths.h"

#include <cctype>

namespace qn::ui {
namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool hasDrive(const AnsiString& path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

char separatorFor(const AnsiString& path) {
  return hasDrive(path) || path.find('\\') != AnsiString::npos ? '\\' : '/';
}

}  // namespace

AnsiString joinFolderAndName(const AnsiString& folder, const AnsiString& name) {
  if (folder.empty()) return name;
  if (isSeparator(folder.back())) return folder + name;
  return folder + separatorFor(folder) + name;
}

std::vector<FolderStep> foldersDownTo(const AnsiString& folder) {
  std::vector<FolderStep> steps;
  const char separator = separatorFor(folder);
  size_t pos = 0;
  AnsiString path;
  if (hasDrive(folder)) {
    path = folder.substr(0, 2) + separator;
    pos = 2;
  } else if (!folder.empty() && isSeparator(folder[0])) {
    path = AnsiString(1, separator);
  }
  if (!path.empty()) steps.push_back({path, path});
  while (pos < folder.size()) {
    while (pos < folder.size() && isSeparator(folder[pos])) ++pos;
    size_t end = pos;
    while (end < folder.size() && !isSeparator(folder[end])) ++end;
    if (end > pos) {
      const AnsiString name = folder.substr(pos, end - pos);
      path = joinFolderAndName(path, name);
      steps.push_back({path, name});
    }
    pos = end;
  }
  return steps;
}

}  // namespace qn::ui
