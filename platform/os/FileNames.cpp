#include "platform/os/FileNames.h"

#include <cctype>

namespace qn::os {
namespace {

bool hasDrive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

// The position just after the last separator or the drive's ':'; 0 when there is none.
size_t nameStart(std::string_view path) {
  size_t sep = path.find_last_of("\\/");
  if (sep != std::string_view::npos) return sep + 1;
  return hasDrive(path) ? 2 : 0;
}

// The position of the extension's '.' within the name; npos when the name has none.
size_t extensionStart(std::string_view path) {
  size_t dot = path.rfind('.');
  return dot != std::string_view::npos && dot >= nameStart(path) ? dot : std::string_view::npos;
}

}  // namespace

std::string extractFileDrive(std::string_view path) {
  return hasDrive(path) ? std::string(path.substr(0, 2)) : std::string();
}

std::string extractFilePath(std::string_view path) { return std::string(path.substr(0, nameStart(path))); }

std::string extractFileDir(std::string_view path) {
  size_t start = nameStart(path);
  // The root keeps its separator: the folder of "C:\x" is "C:\", of "/x" is "/".
  bool root = start > 0 && (start == 1 || (start == 3 && hasDrive(path)));
  if (start > 0 && !root && (path[start - 1] == '\\' || path[start - 1] == '/')) --start;
  return std::string(path.substr(0, start));
}

std::string extractFileName(std::string_view path) { return std::string(path.substr(nameStart(path))); }

std::string extractFileExt(std::string_view path) {
  size_t dot = extensionStart(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string changeFileExt(std::string_view path, std::string_view extension) {
  size_t dot = extensionStart(path);
  return std::string(path.substr(0, dot)) + std::string(extension);
}

}  // namespace qn::os
