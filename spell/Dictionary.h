#pragma once
// A main dictionary: read only, asked whether it knows a word and for suggestions. Its file is a
// letter-trie file (".dct", one or more tries, each held whole in memory), a Hunspell dictionary
// (".aff", with its ".dic" beside it), or a pointer file (any other name: one line naming a
// ".dct" or ".aff" file by path; an empty one names none and knows no word).
// A file that is damaged, or a pointer that names anything else or runs to a second line, fails
// to open, as a missing file does.
#include <memory>
#include <vector>

#include "framework/base/StringList.h"
#include "spell/SubDictionary.h"

namespace qn::spellengine {
class HunspellDictionary;
}

class TDictionary {
 public:
  explicit TDictionary(const AnsiString& Path);
  ~TDictionary();
  TDictionary(const TDictionary&) = delete;
  TDictionary& operator=(const TDictionary&) = delete;

  // True at once when open.
  bool Open();
  void Close();
  bool IsOpen() const { return open_; }

  const AnsiString& Path() const { return path_; }
  // Of the dictionary the file is (or names); known once open.
  const AnsiString& Title() const { return title_; }
  // The dictionary's word characters, which suggestions also try.
  const AnsiString& Letters() const { return letters_; }

  // Words of more than 255 letters are never known.
  bool IsKnownWord(const AnsiString& Word) const;
  // Adds to List (kept sorted by its own order) each candidate of the enabled methods that this
  // dictionary knows and List does not hold yet, stopping once List holds more than
  // MaxSuggestions lines.
  void GetSuggestions(const AnsiString& Word, StringList& List) const;

  int MaxSuggestions() const { return maxSuggestions_; }
  void SetMaxSuggestions(int Value) { maxSuggestions_ = Value; }
  // One bit per method, from 0x01 (change a letter's case) to 0x80 (split in two words).
  unsigned char SuggestionMethods() const { return methods_; }
  void SetSuggestionMethods(unsigned char Value) { methods_ = Value; }

 private:
  bool openTries(const AnsiString& path);
  bool openHunspell(const AnsiString& path);
  bool knownPhrase(const AnsiString& Candidate) const;
  // Adds Candidate when it is known and new; answers whether the list is full.
  bool offer(const AnsiString& Word, const AnsiString& Candidate, bool known, StringList& List) const;

  AnsiString path_;
  bool open_ = false;
  AnsiString title_;
  AnsiString letters_;
  std::vector<TSubDictionary> tries_;
  // The run keeps a loaded Hunspell dictionary; closing only lets go of it.
  std::shared_ptr<qn::spellengine::HunspellDictionary> hunspell_;
  int maxSuggestions_ = 30;
  unsigned char methods_ = 255;
};
