#pragma once
// Which main and user dictionaries a spelling configuration uses, which user dictionary is active,
// and its options, kept in one section of an INI file (VORLEX.CFG in the program folder). A file
// without that section (its "ID" key reading true) gives a configuration built from the
// dictionaries lying beside it. A configuration that cannot be written stays in memory and tells
// the user once.
#include <vector>

#include "spell/SpellOptions.h"
#include "framework/base/AnsiString.h"

struct TMain {
  AnsiString Path;
  bool Active = false;
  AnsiString Title;
  bool operator==(const TMain&) const = default;
};

struct TUser {
  AnsiString Path;
  bool Active = false;
  bool operator==(const TUser&) const = default;
};

class TConfiguration {
 public:
  // Loads at once when Path is not empty.
  TConfiguration(const AnsiString& Path, SpellOptionSet DefaultOptions, const AnsiString& DefaultUser,
                 const AnsiString& DefaultMain, const AnsiString& Section);
  // Saves a loaded configuration that was changed.
  ~TConfiguration();
  TConfiguration(const TConfiguration&) = delete;
  TConfiguration& operator=(const TConfiguration&) = delete;

  void Load();
  // False when the file cannot be written (the user was told, once).
  bool Save();
  // Everything, entries included.
  void Assign(const TConfiguration& Source);
  // No entries, no options, no active user entry, not loaded.
  void Clear();

  const AnsiString& Path() const { return path_; }
  const AnsiString& Section() const { return section_; }
  std::vector<TMain>& Mains() { return mains_; }
  const std::vector<TMain>& Mains() const { return mains_; }
  std::vector<TUser>& Users() { return users_; }
  const std::vector<TUser>& Users() const { return users_; }
  SpellOptionSet Options() const { return options_; }
  void SetOptions(SpellOptionSet Value) { options_ = Value; }
  // The active user entry's index; -1 for none.
  int UserIndex() const { return userIndex_; }
  void SetUserIndex(int Value) { userIndex_ = Value; }
  bool Modified() const { return modified_; }
  void SetModified(bool Value) { modified_ = Value; }
  bool Loaded() const { return loaded_; }

  SpellOptionSet DefaultOptions() const { return defaultOptions_; }
  void SetDefaultOptions(SpellOptionSet Value) { defaultOptions_ = Value; }
  const AnsiString& DefaultUser() const { return defaultUser_; }
  void SetDefaultUser(const AnsiString& Value) { defaultUser_ = Value; }
  const AnsiString& DefaultMain() const { return defaultMain_; }
  void SetDefaultMain(const AnsiString& Value) { defaultMain_ = Value; }

 private:
  void loadSection();
  void buildFromFolder();

  AnsiString path_;
  AnsiString section_;
  std::vector<TMain> mains_;
  std::vector<TUser> users_;
  SpellOptionSet options_ = 0;
  int userIndex_ = -1;
  bool modified_ = false;
  bool loaded_ = false;
  SpellOptionSet defaultOptions_;
  AnsiString defaultUser_;
  AnsiString defaultMain_;
  bool saveFailureReported_ = false;
};
