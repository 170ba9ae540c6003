#pragma once
// A user dictionary: the words a user added and the auto-correct pairs, in a ".udt" file (INI form:
// section "Added", list "IGN"; section "Auto Correct", list "AC" of word + "@@@" + replacement), or
// a plain ".dic" list of one word a line, which is read only. Any extension but ".dic" is the
// ".udt" form. Lookups compare without regard to case.
//
// Several programs share one file (the case and the calendar instance of a workstation use the
// program folder's userdic.tlx), so a save applies this object's own changes since the load to the
// file as it stands, in one rewrite under its lock: words another program added meanwhile stay. A
// save that fails keeps the changes in memory and tells the user once.
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "framework/base/StringList.h"

class TUserDictionary {
 public:
  // Loads at once.
  explicit TUserDictionary(const AnsiString& Path);
  // Saves when changed.
  ~TUserDictionary();
  TUserDictionary(const TUserDictionary&) = delete;
  TUserDictionary& operator=(const TUserDictionary&) = delete;

  const AnsiString& Path() const { return path_; }
  bool Loaded() const { return loaded_; }
  bool Modified() const { return modified_; }
  bool PlainList() const { return plainList_; }

  // Nothing when loaded; a missing file is an empty dictionary.
  void Load();
  // Saves when changed, then forgets the lists until the next Load.
  void Close();
  // Applies the changes since the load to the file (never for a plain list); false when the file
  // cannot be written.
  bool Save();

  // Neither changes a plain list.
  void AddWord(const AnsiString& Word);
  void AddAutoCorrect(const AnsiString& Word, const AnsiString& Replacement);
  // Used by undo.
  void RemoveWord(const AnsiString& Word);
  void RemoveAutoCorrect(const AnsiString& Word);

  bool IsKnownWord(const AnsiString& Word) const;
  // The replacement of Word, or empty.
  AnsiString AutoCorrection(const AnsiString& Word) const;

  // Sorted, without duplicates.
  const StringList& Words() const { return words_; }
  // Parallel lists, in the order the pairs were made.
  const StringList& AutoCorrectWords() const { return acWords_; }
  const StringList& AutoCorrectReplacements() const { return acReplacements_; }

 private:
  struct NoCase {
    bool operator()(const AnsiString& a, const AnsiString& b) const;
  };
  void clearLists();
  int autoCorrectIndex(const AnsiString& Word) const;

  AnsiString path_;
  StringList words_;
  StringList acWords_;
  StringList acReplacements_;
  bool loaded_ = false;
  bool modified_ = false;
  bool plainList_ = false;
  bool saveFailureReported_ = false;
  // The changes since the load, which a save applies to the file as it then stands.
  std::set<AnsiString, NoCase> addedWords_;
  std::set<AnsiString, NoCase> removedWords_;
  std::vector<std::pair<AnsiString, AnsiString>> setCorrections_;  // in the order first made
  std::set<AnsiString, NoCase> removedCorrections_;
};
