#pragma once
// The drive letters of the machine: <machine root>/drives maps each letter the program's paths
// use to a Linux folder, one line a letter, such as
//   C=/home/office/quillon
//   Q=/srv/shared/qndata
// Letters compare without case; blank lines and lines beginning with '#' or ';' are comments.
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qn::os {

// The folder mapped to the letter; nothing when the map has none. PathError when the map file
// exists but a line is not of the form letter=folder.
std::optional<std::string> driveFolder(char letter);

// Every letter the map gives, upper case and in letter order, each with its folder (the first
// line of a letter that appears twice); empty when there is no map. PathError as above.
std::vector<std::pair<char, std::string>> mappedDrives();

}  // namespace qn::os
