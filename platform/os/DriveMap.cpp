#include "platform/os/DriveMap.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/os/AtomicFile.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/Paths.h"

namespace qn::os {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// The map's lines in file order; the whole map is checked, so a damaged line is found whichever
// letter is asked for.
std::vector<std::pair<char, std::string>> readDriveMap() {
  const std::string file = driveMapFile();
  std::optional<std::string> text = readWholeFile(file);
  std::vector<std::pair<char, std::string>> drives;
  if (!text) return drives;
  std::string_view rest = *text;
  for (int number = 1; !rest.empty(); ++number) {
    size_t end = rest.find('\n');
    std::string_view line = trimmed(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    size_t eq = line.find('=');
    std::string_view drive = eq == std::string_view::npos ? line : trimmed(line.substr(0, eq));
    std::string_view folder = eq == std::string_view::npos ? std::string_view() : trimmed(line.substr(eq + 1));
    if (drive.size() != 1 || !std::isalpha(static_cast<unsigned char>(drive[0])) || folder.empty())
      throw PathError("the drive map " + file + " is damaged at line " + std::to_string(number) +
                      ": expected a letter, '=' and a folder, such as C=/home/office");
    drives.emplace_back(static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0]))), std::string(folder));
  }
  return drives;
}

}  // namespace

std::optional<std::string> driveFolder(char letter) {
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (const auto& [drive, folder] : readDriveMap())
    if (drive == wanted) return folder;
  return std::nullopt;
}

std::vector<std::pair<char, std::string>> mappedDrives() {
  std::vector<std::pair<char, std::string>> drives;
  for (auto& entry : readDriveMap())
    if (std::none_of(drives.begin(), drives.end(), [&](const auto& d) { return d.first == entry.first; }))
      drives.push_back(std::move(entry));
  std::sort(drives.begin(), drives.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  return drives;
}

}  // namespace qn::os
