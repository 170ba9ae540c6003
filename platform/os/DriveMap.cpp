#include "platform/os/DriveMap.h"

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

}  // namespace

std::optional<std::string> driveFolder(char letter) {
  const std::string file = driveMapFile();
  std::optional<std::string> text = readWholeFile(file);
  if (!text) return std::nullopt;
  // The whole map is checked, so a damaged line is found whichever letter is asked for.
  std::optional<std::string> found;
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
    if (!found &&
        std::toupper(static_cast<unsigned char>(drive[0])) == std::toupper(static_cast<unsigned char>(letter)))
      found = std::string(folder);
  }
  return found;
}

}  // namespace qn::os
