#pragma once
// The spell checker's files in the program folder: the main lexicon pointers (ssceam.tlx naming
// the system's en_US Hunspell dictionary, an empty ssceam2.clx), the help page SSCE.hlp, and,
// only when missing, the spelling configuration VORLEX.CFG. The user lexicons correct.tlx and
// userdic.tlx hold the user's own words and are never written here, so a rebuild keeps them.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace qn::seed {

// english is the en_US dictionary's .aff file; without one no ssceam.tlx is written and warnings
// hears why.
void writeSpellFiles(const std::filesystem::path& dir, const std::optional<std::string>& english,
                     std::ostream& warnings);

}  // namespace qn::seed
