#pragma once
// A Hunspell dictionary (an .aff file and the .dic beside it) as the spell checker's main
// dictionaries use it: words and suggestions in Windows-1252, converted to and from the
// dictionary's own encoding. A dictionary is loaded once per file in a run and kept (en_US takes
// a good part of a second to load), so a check that closes and opens its dictionaries again pays
// nothing. Used from the user-interface thread only.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Hunspell;

namespace qn::spellengine {

class Recoder;

class HunspellDictionary {
 public:
  // The dictionary of affPath (a Linux path), loaded on the first call for that file; nullptr
  // when the .aff or its .dic is missing.
  static std::shared_ptr<HunspellDictionary> load(const std::string& affPath);
  // How many dictionaries this run has loaded.
  static int loadCount();
  // "Hunspell " and the file's name without its folder and extension.
  static std::string titleOf(const std::string& affPath);

  ~HunspellDictionary();
  HunspellDictionary(const HunspellDictionary&) = delete;
  HunspellDictionary& operator=(const HunspellDictionary&) = delete;

  const std::string& title() const { return title_; }
  // The word characters in Windows-1252: the letters, digits and apostrophes of the .aff's TRY
  // and WORDCHARS lines that the code page holds, and the apostrophe. Not "." or "-": with them a
  // sentence's last word ("tset.") or a hyphenated pair would be looked up whole.
  const std::string& letters() const { return letters_; }
  const std::string& encoding() const { return encoding_; }

  bool knows(std::string_view word);
  // Hunspell's suggestions, in its order; those the code page cannot hold are left out.
  std::vector<std::string> suggest(std::string_view word);

  // The engine itself, for measuring against it.
  Hunspell& engine() { return *engine_; }

 private:
  HunspellDictionary(const std::string& affPath, const std::string& dicPath);
  // word in the dictionary's encoding, in buffer_; false when it cannot be written there.
  bool toDictionary(std::string_view word);
  bool fromDictionary(const std::string& text, std::string& word) const;
  void readLetters(const std::string& affPath);

  std::unique_ptr<Hunspell> engine_;
  std::string title_;
  std::string letters_;
  std::string encoding_;
  bool utf8_ = false;
  std::unique_ptr<Recoder> toEncoding_;    // Windows-1252 to the dictionary's, unless UTF-8
  std::unique_ptr<Recoder> fromEncoding_;  // and back
  std::string buffer_;
};

}  // namespace qn::spellengine
