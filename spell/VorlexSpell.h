#pragma once
// TVorlexSpell: the spell checker a form carries. It checks the words of a buffer, a string or an
// edit control against its main dictionaries, its user dictionaries and the session's lists,
// shows the modeless check dialog on each unknown or repeated word, applies the user's choice to
// the source through a word parser, keeps an undo list and offers suggestions.
//
// A check runs on the one user-interface thread: at each stop the dialog waits for the user, and
// with WaitForCompletion the check call pumps the message queue until the check has ended. The
// queue is also pumped about one word in ten and while background suggestions are made.
#include <functional>
#include <memory>
#include <vector>

#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "framework/ui/Geometry.h"
#include "spell/Configuration.h"
#include "spell/Languages.h"
#include "spell/ParserFactory.h"

class TControl;
class TForm;
class TDialogControl;
class TDictionary;
class TParser;
class TUserDictionary;

enum TSelectionBehavior { sbNone, sbAvoid, sbAvoidUpDown, sbMove, sbMoveUpDown };
enum TInitialPosition { ipScreenCenter, ipUnderSelection, ipAvoidControl, ipUserDefined, ipIgnore };
enum TEndShowMessage { emNever, emAlways, emExceptCancel, emNoDialog };
extern const EnumerationType kSelectionBehaviorType;
extern const EnumerationType kInitialPositionType;
extern const EnumerationType kEndShowMessageType;
// The options by bit number, for the option sets published by name.
extern const EnumerationType kSpellOptionType;

class TVorlexSpell : public TComponent {
  QN_PUBLISHED_CLASS(TVorlexSpell, TComponent)
 public:
  using TDialogEvent = std::function<void(TObject* Sender, TForm*& Dialog)>;
  using TWordCaseEvent = std::function<void(TObject* Sender, AnsiString& Result, const AnsiString& Word)>;
  using TMatchCaseEvent = std::function<void(TObject* Sender, AnsiString& Suggestion, const AnsiString& Word)>;
  using TDeactivateEvent = std::function<void(TObject* Sender, bool Value)>;
  using TPositionEvent = std::function<void(TObject* Sender, TRect& Bounds)>;

  explicit TVorlexSpell(TComponent* AOwner);
  ~TVorlexSpell() override;

  // The operations descendants may change, in this order.
  virtual void OpenDictionaries();
  virtual void CloseDictionaries();
  virtual void ReloadConfiguration();
  virtual void CheckControl(TControl* Control);
  virtual void CheckControlFromCursor(TControl* Control);
  virtual void CheckControlSelection(TControl* Control);
  virtual void CheckComponentTree(TComponent* Component);
  virtual void CheckBuffer(char* Buffer);
  virtual void CheckBufferRange(char* Buffer, int Start, int End);
  virtual void CheckString(AnsiString& Text);
  virtual void CheckStringRange(AnsiString& Text, int Start, int End);
  virtual void CheckEdit(TControl* Edit);
  virtual void CheckEditRange(TControl* Edit, int Start, int End);
  virtual void CheckMemo(TControl* Memo);
  virtual void CheckMemoRange(TControl* Memo, int Start, int End);
  virtual void CheckRichEdit(TControl* RichEdit);
  virtual void CheckRichEditRange(TControl* RichEdit, int Start, int End);

  // The configuration dialog on a working copy; Page 0 shows the dictionaries, 1 the options.
  // The dialog is owned by Owner, else by the component. Answers whether the user left it with OK.
  bool Configure(int Page = 0, TComponent* Owner = nullptr);
  void BuildDictionaryList();

  // Published properties. The configuration's name and place take effect at once once a
  // configuration is loaded (Loaded, ReloadConfiguration or the first check loads it).
  bool ConfigInAppDir() const { return configInAppDir_; }
  void SetConfigInAppDir(bool Value);
  const AnsiString& ConfigFileName() const { return configFileName_; }
  void SetConfigFileName(const AnsiString& Value);
  const AnsiString& ConfigKey() const { return configKey_; }
  void SetConfigKey(const AnsiString& Value);
  bool ConfigAvailable() const { return configAvailable_; }
  void SetConfigAvailable(bool Value);
  bool AlwaysActive() const { return alwaysActive_; }
  void SetAlwaysActive(bool Value);
  int MaxSuggestions() const { return maxSuggestions_; }
  void SetMaxSuggestions(int Value);
  int MaxUndo() const { return maxUndo_; }
  void SetMaxUndo(int Value);
  bool AutoSelectFirst = false;
  TSelectionBehavior SelectionBehavior = sbAvoid;
  TInitialPosition InitialPosition = ipAvoidControl;
  bool WaitForCompletion = true;
  AnsiString IgnorePrefix = "'";
  AnsiString IgnoreSuffix = "';'s";
  bool HelpEnabled = true;
  bool HelpSeparate = true;
  AnsiString HelpFile = "vxspell.hlp";
  int HelpContextDialog = 100;
  int HelpContextConfig1 = 101;
  int HelpContextConfig2 = 102;
  bool BackgroundSuggestions = true;
  // The wait cursor while suggestions are made, at a stop, on Suggest and in the background.
  bool DialogHourGlass = false;
  const AnsiString& DefaultMain() const { return defaultMain_; }
  void SetDefaultMain(const AnsiString& Value);
  const AnsiString& DefaultUser() const { return defaultUser_; }
  void SetDefaultUser(const AnsiString& Value);
  SpellOptionSet DefaultOptions() const { return defaultOptions_; }
  void SetDefaultOptions(SpellOptionSet Value);
  SpellOptionSet VisibleOptions = soUpcase | soNumbers | soHTML | soInternet | soRecheck;
  bool WordCountVisible = true;
  AnsiString QuoteCharacters;
  TLanguages& Languages() { return languages_; }
  int LanguageIndex() const { return languageIndex_; }
  void SetLanguageIndex(int Value);
  TEndShowMessage EndShowMessage = emExceptCancel;

  TDialogEvent OnCreateDialog;
  TDialogEvent OnFreeDialog;
  TDialogEvent OnAfterCreate;
  TDialogEvent OnSetupCreate;
  TMatchCaseEvent OnMatchCase;
  TWordCaseEvent OnGetLowerCase;
  TWordCaseEvent OnGetUpperCase;
  TNotifyEvent OnCheckComplete;
  TNotifyEvent OnMisspelledWord;
  TNotifyEvent OnCheckCanceled;
  TDeactivateEvent OnDeactivate;
  TPositionEvent OnPositionDialog;

  // The state a check shows.
  TConfiguration* Configuration() const { return config_.get(); }
  const std::vector<std::unique_ptr<TDictionary>>& MainDictionaries() const { return mains_; }
  const std::vector<std::unique_ptr<TUserDictionary>>& UserDictionaries() const { return users_; }
  // The user dictionary new words go to: the active ".udt" entry's; nullptr for none.
  TUserDictionary* ActiveUserDictionary() const { return activeUser_; }
  StringList& IgnoreAllList() { return ignoreAll_; }
  StringList& ChangeAllWords() { return changeAllWords_; }
  StringList& ChangeAllReplacements() { return changeAllReplacements_; }
  bool Checking() const { return running_; }
  bool DictionariesOpen() const { return dictionariesOpen_; }
  const AnsiString& CurrentWord() const { return word_; }
  bool RepeatedWord() const { return repeated_; }
  int WordCount() const { return wordCount_; }
  TForm* Dialog() const { return dialog_; }
  TDialogControl* DialogControl() const { return dc_; }
  // The text of the language in use.
  AnsiString Text(int Id) const;
  // Suggestions for Word as a stop lists them, sorted, into List.
  void GetSuggestions(const AnsiString& Word, StringList& List);
  // The candidates the background generator makes for Word, each known one added with the
  // capitals of Original until List holds more than MaxSuggestions lines; answers false when a
  // button press stopped it.
  bool GenerateSuggestions(const AnsiString& Word, const AnsiString& Original, StringList& List, bool FirstMethods);
  // Where the dialog of that size goes on the first stop, and at a later one from Current.
  TRect FirstPlacement(const TRect& Dialog, const TRect& ControlRect, const TRect& WordRect);
  TRect LaterPlacement(const TRect& Dialog, const TRect& WordRect) const;
  // Help is offered when enabled and its file exists.
  bool HelpUsable() const;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Runs the check of Parser's source from where it stands.
  void RunCheck(std::unique_ptr<TParser> Parser, TControl* Control);

 private:
  enum class Verdict { Accept, Replaced, NotFound, Repeated };

  void recheckWith(TParser& parser);
  AnsiString wordCharacters() const;
  bool isKnown(const AnsiString& Word) const;
  bool isKnownForm(const AnsiString& Word) const;
  AnsiString strip(const AnsiString& Word) const;
  AnsiString lowerOf(const AnsiString& Word) const;
  AnsiString upperOf(const AnsiString& Word) const;
  Verdict judge(const AnsiString& Word);
  void continueCheck();
  void wordLoop();
  void stop(bool repeated);
  void refreshStop();
  void endCheck(bool cancelled);
  void failCheck();
  void createDialog();
  void freeDialog();
  void placeDialog();
  void setCaptions();
  void applyHelp(TForm* Form, int Context);
  void resetControls();
  void onAction(int Action);
  void perform(int Action);
  void replaceCurrent(const AnsiString& Text, int UndoAction);
  void takeBack();
  void runBackground();
  void post(std::function<void()> call);
  void onSuggestionClick(TObject* Sender);
  void onReplaceChange(TObject* Sender);
  AnsiString replacement() const;
  bool designing() const;

  std::unique_ptr<TConfiguration> config_;
  std::vector<std::unique_ptr<TDictionary>> mains_;
  std::vector<std::unique_ptr<TUserDictionary>> users_;
  TUserDictionary* activeUser_ = nullptr;
  StringList ignoreAll_;
  StringList changeAllWords_;
  StringList changeAllReplacements_;
  std::vector<AnsiString> prefixes_;
  std::vector<AnsiString> suffixes_;
  std::unique_ptr<TParser> parser_;
  TControl* control_ = nullptr;
  AnsiString word_;
  AnsiString previousWord_;
  int wordCount_ = 0;
  bool dictionariesOpen_ = false;
  bool running_ = false;
  bool stopped_ = false;
  bool dialogShown_ = false;
  bool dialogPlaced_ = false;
  bool repeated_ = false;
  bool background_ = false;
  bool interrupt_ = false;
  int pendingAction_ = -1;
  bool settingControls_ = false;
  bool configuring_ = false;
  bool choosingSuggestion_ = false;
  TForm* dialog_ = nullptr;
  TDialogControl* dc_ = nullptr;
  AnsiString savedHelpFile_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  bool configInAppDir_ = true;
  AnsiString configFileName_ = "VORLEX.CFG";
  AnsiString configKey_ = "vorlex";
  bool configAvailable_ = true;
  bool alwaysActive_ = false;
  int maxSuggestions_ = 50;
  int maxUndo_ = 20;
  AnsiString defaultMain_ = "english.dct";
  AnsiString defaultUser_ = "default.udt";
  SpellOptionSet defaultOptions_ = soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated;
  TLanguages languages_;
  int languageIndex_ = 0;
  // The language tables as the form data holds them: the count read first, then the lines.
  StringList languageLines_;
  int languageLinesCount_ = 1;
};

// The check dialog of the component's own: TVorlexSpellDialog.
TForm* CreateVorlexSpellDialog(TComponent* Owner);
// The capitals of Original given to Suggestion: each capital A-Z of Original makes the letter at its
// place a capital; when Suggestion is longer and its letter at Original's last place is then a
// capital, every letter after it becomes one.
AnsiString ApplyCapitalPattern(const AnsiString& Original, const AnsiString& Suggestion);
