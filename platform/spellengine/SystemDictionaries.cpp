#include "platform/spellengine/SystemDictionaries.h"

#include <filesystem>

namespace qn::spellengine {

std::optional<std::string> systemDictionary(const std::string& language) {
  for (const char* folder : {"/usr/share/hunspell", "/usr/share/myspell", "/usr/share/myspell/dicts"}) {
    const std::filesystem::path aff = std::filesystem::path(folder) / (language + ".aff");
    std::error_code error;
    if (std::filesystem::is_regular_file(aff, error) &&
        std::filesystem::is_regular_file(std::filesystem::path(aff).replace_extension(".dic"), error))
      return aff.string();
  }
  return std::nullopt;
}

}  // namespace qn::spellengine
