#include "spell/UserDictionary.h"

#include <algorithm>
#include <exception>

#include "framework/base/TextCompare.h"
#include "platform/os/AtomicFile.h"
#include "platform/os/FileNames.h"
#include "platform/os/Paths.h"
#include "spell/EnhancedINI.h"
#include "spell/SaveFailure.h"

namespace {

const char* const kAddedSection = "Added";
const char* const kAddedKey = "IGN";
const char* const kAutoCorrectSection = "Auto Correct";
const char* const kAutoCorrectKey = "AC";
const AnsiString kPairMark = "@@@";

bool isPlainListPath(const AnsiString& path) { return SameText(qn::os::extractFileExt(path), ".dic"); }

void sortedWithoutDuplicates(StringList& list) {
  list.SetSorted(true);
  list.SetDuplicates(dupIgnore);
}

// The pairs of an auto-correct list; an entry splits at its first mark, so a replacement may hold
// the mark itself.
void splitPairs(const TStrings& entries, StringList& words, StringList& replacements) {
  words.Clear();
  replacements.Clear();
  for (int i = 0; i < entries.Count(); ++i) {
    const AnsiString entry = entries[i];
    const size_t mark = entry.find(kPairMark);
    words.Add(entry.substr(0, mark));
    replacements.Add(mark == AnsiString::npos ? AnsiString() : entry.substr(mark + kPairMark.size()));
  }
}

int indexWithoutCase(const TStrings& list, const AnsiString& word) {
  for (int i = 0; i < list.Count(); ++i)
    if (AnsiSameText(list[i], word)) return i;
  return -1;
}

}  // namespace

bool TUserDictionary::NoCase::operator()(const AnsiString& a, const AnsiString& b) const {
  return AnsiCompareText(a, b) < 0;
}

TUserDictionary::TUserDictionary(const AnsiString& Path) : path_(Path), plainList_(isPlainListPath(Path)) {
  sortedWithoutDuplicates(words_);
  Load();
}

TUserDictionary::~TUserDictionary() {
  if (modified_) Save();
}

void TUserDictionary::clearLists() {
  words_.Clear();
  acWords_.Clear();
  acReplacements_.Clear();
  addedWords_.clear();
  removedWords_.clear();
  setCorrections_.clear();
  removedCorrections_.clear();
  modified_ = false;
}

void TUserDictionary::Load() {
  if (loaded_) return;
  clearLists();
  loaded_ = true;
  try {
    if (plainList_) {
      const std::optional<std::string> text = qn::os::readWholeFile(qn::os::resolvePath(path_));
      if (!text) return;
      for (size_t start = 0; start < text->size();) {
        size_t end = text->find('\n', start);
        if (end == std::string::npos) end = text->size();
        AnsiString word = text->substr(start, end - start);
        if (!word.empty() && word.back() == '\r') word.pop_back();
        if (!word.empty()) words_.Add(word);
        start = end + 1;
      }
      return;
    }
    const TEnhancedINI ini(path_);
    TEnhancedINI::GetList(ini.ReadEntries(kAddedSection), kAddedKey, words_);
    StringList pairs;
    TEnhancedINI::GetList(ini.ReadEntries(kAutoCorrectSection), kAutoCorrectKey, pairs);
    splitPairs(pairs, acWords_, acReplacements_);
  } catch (const std::exception&) {
    // A file that cannot be read (binary data, no permission) is an empty dictionary; a save
    // over it fails the same way and leaves it for the user to look at.
    clearLists();
  }
}

void TUserDictionary::Close() {
  if (loaded_ && modified_ && !Save()) return;  // kept, so nothing the user added is lost
  clearLists();
  loaded_ = false;
}

bool TUserDictionary::Save() {
  if (plainList_ || !modified_) return true;
  StringList words, acWords, acReplacements;
  sortedWithoutDuplicates(words);
  const bool saved = SaveOrReport(path_, saveFailureReported_, [&] {
    TEnhancedINI ini(path_);
    ini.RewriteSections({kAddedSection, kAutoCorrectSection}, [&](std::vector<qn::os::IniEntries>& sections) {
      TEnhancedINI::GetList(sections[0], kAddedKey, words);
      for (const AnsiString& word : removedWords_) {
        int index = 0;
        if (words.Find(word, index)) words.Delete(index);
      }
      for (const AnsiString& word : addedWords_) words.Add(word);

      StringList pairs;
      TEnhancedINI::GetList(sections[1], kAutoCorrectKey, pairs);
      splitPairs(pairs, acWords, acReplacements);
      for (const AnsiString& word : removedCorrections_)
        for (int i; (i = indexWithoutCase(acWords, word)) >= 0;) {
          acWords.Delete(i);
          acReplacements.Delete(i);
        }
      for (const auto& [word, replacement] : setCorrections_) {
        const int i = indexWithoutCase(acWords, word);
        if (i >= 0) {
          acReplacements.SetStrings(i, replacement);
        } else {
          acWords.Add(word);
          acReplacements.Add(replacement);
        }
      }
      pairs.Clear();
      for (int i = 0; i < acWords.Count(); ++i) pairs.Add(acWords[i] + kPairMark + acReplacements[i]);
      TEnhancedINI::PutList(sections[0], kAddedKey, words);
      TEnhancedINI::PutList(sections[1], kAutoCorrectKey, pairs);
    });
  });
  if (!saved) return false;
  // What the file now holds, other programs' words included.
  clearLists();
  words_.Assign(words);
  acWords_.Assign(acWords);
  acReplacements_.Assign(acReplacements);
  return true;
}

void TUserDictionary::AddWord(const AnsiString& Word) {
  if (plainList_ || Word.empty()) return;
  words_.Add(Word);
  removedWords_.erase(Word);
  addedWords_.insert(Word);
  modified_ = true;
}

void TUserDictionary::RemoveWord(const AnsiString& Word) {
  int index = 0;
  if (words_.Find(Word, index)) words_.Delete(index);
  if (plainList_) return;
  addedWords_.erase(Word);
  removedWords_.insert(Word);
  modified_ = true;
}

int TUserDictionary::autoCorrectIndex(const AnsiString& Word) const { return indexWithoutCase(acWords_, Word); }

void TUserDictionary::AddAutoCorrect(const AnsiString& Word, const AnsiString& Replacement) {
  if (plainList_ || Word.empty()) return;
  const int index = autoCorrectIndex(Word);
  if (index >= 0) {
    acReplacements_.SetStrings(index, Replacement);
  } else {
    acWords_.Add(Word);
    acReplacements_.Add(Replacement);
  }
  removedCorrections_.erase(Word);
  auto set = std::find_if(setCorrections_.begin(), setCorrections_.end(),
                          [&](const auto& pair) { return AnsiSameText(pair.first, Word); });
  if (set != setCorrections_.end())
    set->second = Replacement;
  else
    setCorrections_.emplace_back(Word, Replacement);
  modified_ = true;
}

void TUserDictionary::RemoveAutoCorrect(const AnsiString& Word) {
  const int index = autoCorrectIndex(Word);
  if (index >= 0) {
    acWords_.Delete(index);
    acReplacements_.Delete(index);
  }
  if (plainList_) return;
  std::erase_if(setCorrections_, [&](const auto& pair) { return AnsiSameText(pair.first, Word); });
  removedCorrections_.insert(Word);
  modified_ = true;
}

bool TUserDictionary::IsKnownWord(const AnsiString& Word) const {
  int index = 0;
  return words_.Find(Word, index);
}

AnsiString TUserDictionary::AutoCorrection(const AnsiString& Word) const {
  const int index = autoCorrectIndex(Word);
  return index >= 0 ? acReplacements_[index] : AnsiString();
}
