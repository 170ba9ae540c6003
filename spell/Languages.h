#pragma once
// The spell checker's user-interface texts: numbered tables, one per language. Every caption and
// message of the check and configuration dialogs is a text of the language in use. A text's
// backslash stands for a line break where the text is shown in a message box.
#include <vector>

#include "framework/base/AnsiString.h"
#include "framework/base/StringList.h"

// The numbers of the texts the checker itself shows.
enum TSpellText : int {
  stCheckComplete = 0,
  stWordsChecked = 1,
  stExtraWordChars = 2,
  stDialogCaption = 3,
  stChangeAll = 4,
  stChange = 5,
  stIgnoreAll = 6,
  stIgnore = 7,
  stAdd = 8,
  stAutoCorrect = 9,
  stSuggest = 10,
  stStart = 11,
  stUndoLast = 12,
  stOptions = 13,
  stDelete = 14,
  stHelp = 15,
  stCancel = 16,
  stNotFound = 17,
  stRepeatedWord = 18,
  stReplaceWith = 19,
  stSuggestions = 20,
  stWorking = 21,
  stConfigCaption = 22,
  stNoMainDictionary = 60,
  stMissingDictionaryFile = 61,
  stUnableToFind = 62,
  stExitWithoutSaving = 63,
  stTextCount = 64,
};

// Each line mark (a backslash) becomes CR LF.
AnsiString ExpandLineMarks(const AnsiString& Text);

class TLanguageModule {
 public:
  // The built-in English table.
  TLanguageModule();
  TLanguageModule(const AnsiString& Name, std::vector<AnsiString> Texts);

  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& Value) { name_ = Value; }
  // Empty for a number the table lacks.
  AnsiString Text(int Id) const;
  void SetText(int Id, const AnsiString& Value);
  int Count() const { return static_cast<int>(texts_.size()); }

 private:
  AnsiString name_;
  std::vector<AnsiString> texts_;
};

class TLanguages {
 public:
  // One language: "English (US)" with the built-in table.
  TLanguages();

  int Count() const { return static_cast<int>(modules_.size()); }
  TLanguageModule& Module(int Index) { return modules_.at(static_cast<size_t>(Index)); }
  const TLanguageModule& Module(int Index) const { return modules_.at(static_cast<size_t>(Index)); }
  void Add(TLanguageModule Module) { modules_.push_back(std::move(Module)); }
  void Clear() { modules_.clear(); }

  // The form-data form: for each language its name, its texts in number order, then "@@@".
  void WriteTo(TStrings& Lines) const;
  // Reads that form back; the text count is the number of languages it must hold. False (and
  // nothing changed) when the lines are not that form.
  bool ReadFrom(const TStrings& Lines, int LangCount);

 private:
  std::vector<TLanguageModule> modules_;
};
