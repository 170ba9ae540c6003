#include "spell/DictionaryTitle.h"

#include <exception>
#include <fstream>

#include "platform/os/Paths.h"
#include "platform/spellengine/HunspellDictionary.h"
#include "spell/DictionaryFormat.h"
#include "spell/LexiconPointer.h"

AnsiString DictionaryTitle(const AnsiString& Path) {
  const LexiconTarget target = ResolveLexicon(Path);
  if (target.kind == LexiconKind::Hunspell) return qn::spellengine::HunspellDictionary::titleOf(target.path);
  if (target.kind != LexiconKind::Trie) return {};
  try {
    std::ifstream file(qn::os::resolvePath(target.path), std::ios::binary);
    char title[kDctTitleSize];
    if (!file.seekg(kDctTitleOffset) || !file.read(title, kDctTitleSize)) return {};
    return DctTitleText(std::string_view(title, kDctTitleSize));
  } catch (const std::exception&) {
    return {};
  }
}
