#pragma once
// Where the system's Hunspell dictionaries lie: the folder Debian's hunspell-* packages install
// into, then the older myspell folder.
#include <optional>
#include <string>

namespace qn::spellengine {

// The .aff file of the language (as "en_US"), when a dictionary of it is installed.
std::optional<std::string> systemDictionary(const std::string& language);

}  // namespace qn::spellengine
