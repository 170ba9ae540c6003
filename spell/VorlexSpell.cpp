#include "spell/VorlexSpell.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

#include "framework/base/Random.h"
#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/HelpService.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Screen.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/FileNames.h"
#include "platform/os/Files.h"
#include "spell/DialogControl.h"
#include "spell/Dictionary.h"
#include "spell/Parser.h"
#include "spell/UserDictionary.h"

namespace {

constexpr TRect kNoRect{-1, -1, -1, -1};
// The generator lets the queue through once in this many candidates.
constexpr int kCandidatesPerPump = 200;

std::vector<AnsiString> splitList(const AnsiString& text) {
  std::vector<AnsiString> pieces;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(';', start);
    AnsiString piece = text.substr(start, end == AnsiString::npos ? AnsiString::npos : end - start);
    if (!piece.empty()) pieces.push_back(piece);
    if (end == AnsiString::npos) return pieces;
    start = end + 1;
  }
}

void sortWithoutCase(StringList& list) {
  list.SetSorted(true);
  list.SetDuplicates(dupIgnore);
}

bool allDigits(const AnsiString& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool hasDigit(const AnsiString& word) {
  return std::any_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

char upper(char c) { return UpperCase(AnsiString(1, c))[0]; }

}  // namespace

AnsiString ApplyCapitalPattern(const AnsiString& Original, const AnsiString& Suggestion) {
  AnsiString out = Suggestion;
  const size_t common = std::min(Original.size(), out.size());
  for (size_t i = 0; i < common; ++i)
    if (isCapital(Original[i])) out[i] = upper(out[i]);
  if (!Original.empty() && out.size() > Original.size() && isCapital(out[Original.size() - 1]))
    for (size_t i = Original.size(); i < out.size(); ++i) out[i] = upper(out[i]);
  return out;
}

const EnumerationType kSelectionBehaviorType{"TSelectionBehavior", {"sbNone", "sbAvoid", "sbAvoidUpDown", "sbMove", "sbMoveUpDown"}};
const EnumerationType kInitialPositionType{
    "TInitialPosition", {"ipScreenCenter", "ipUnderSelection", "ipAvoidControl", "ipUserDefined", "ipIgnore"}};
const EnumerationType kEndShowMessageType{"TEndShowMessage", {"emNever", "emAlways", "emExceptCancel", "emNoDialog"}};
const EnumerationType kSpellOptionType{"TSpellOption",
                                       {"soUpcase", "soNumbers", "soHTML", "soInternet", "soQuoted", "soAutoSuggest",
                                        "soPrimaryOnly", "soRecheck", "soRepeated", "soDualCaps", "soUser1", "soUser2",
                                        "soUser3", "soUser4"}};

void TVorlexSpell::PublishProperties(PropertyPublisher<TVorlexSpell>& publish) {
  using S = TVorlexSpell;
  publish.Boolean("ConfigInAppDir", &S::ConfigInAppDir, &S::SetConfigInAppDir)
      .String("ConfigFileName", &S::ConfigFileName, &S::SetConfigFileName)
      .String("ConfigKey", &S::ConfigKey, &S::SetConfigKey)
      .Boolean("ConfigAvailable", &S::ConfigAvailable, &S::SetConfigAvailable)
      .Boolean("AlwaysActive", &S::AlwaysActive, &S::SetAlwaysActive)
      .Integer("MaxSuggestions", &S::MaxSuggestions, &S::SetMaxSuggestions)
      .Integer("MaxUndo", &S::MaxUndo, &S::SetMaxUndo)
      .Boolean("AutoSelectFirst", &S::AutoSelectFirst, &S::AutoSelectFirst)
      .Enumeration("SelectionBehavior", kSelectionBehaviorType, &S::SelectionBehavior, &S::SelectionBehavior)
      .Enumeration("InitialPosition", kInitialPositionType, &S::InitialPosition, &S::InitialPosition)
      .Boolean("WaitForCompletion", &S::WaitForCompletion, &S::WaitForCompletion)
      .String("IgnorePrefix", &S::IgnorePrefix, &S::IgnorePrefix)
      .String("IgnoreSuffix", &S::IgnoreSuffix, &S::IgnoreSuffix)
      .Boolean("HelpEnabled", &S::HelpEnabled, &S::HelpEnabled)
      .Boolean("HelpSeparate", &S::HelpSeparate, &S::HelpSeparate)
      .String("HelpFile", &S::HelpFile, &S::HelpFile)
      .Integer("HelpContextDialog", &S::HelpContextDialog, &S::HelpContextDialog)
      .Integer("HelpContextConfig1", &S::HelpContextConfig1, &S::HelpContextConfig1)
      .Integer("HelpContextConfig2", &S::HelpContextConfig2, &S::HelpContextConfig2)
      .Boolean("BackgroundSuggestions", &S::BackgroundSuggestions, &S::BackgroundSuggestions)
      .Boolean("DialogHourGlass", &S::DialogHourGlass, &S::DialogHourGlass)
      .String("DefaultMain", &S::DefaultMain, &S::SetDefaultMain)
      .String("DefaultUser", &S::DefaultUser, &S::SetDefaultUser)
      .Set("DefaultOptions", kSpellOptionType, &S::DefaultOptions, &S::SetDefaultOptions)
      .Set("VisibleOptions", kSpellOptionType, &S::VisibleOptions, &S::VisibleOptions)
      .Boolean("WordCountVisible", &S::WordCountVisible, &S::WordCountVisible)
      .String("QuoteCharacters", &S::QuoteCharacters, &S::QuoteCharacters)
      .Integer(
          "Languages.LangCount", [](S& self) { return self.languages_.Count(); },
          [](S& self, int Value) { self.languageLinesCount_ = Value; })
      .StringList(
          "Languages.Lang",
          [](S& self) -> TStrings* {
            self.languageLines_.Clear();
            self.languages_.WriteTo(self.languageLines_);
            return &self.languageLines_;
          },
          [](S& self, TStrings* Lines) {
            if (Lines) self.languages_.ReadFrom(*Lines, self.languageLinesCount_);
          })
      .Integer("LanguageIndex", &S::LanguageIndex, &S::SetLanguageIndex)
      .Enumeration("EndShowMessage", kEndShowMessageType, &S::EndShowMessage, &S::EndShowMessage)
      .Event("OnCreateDialog", &S::OnCreateDialog, &S::OnCreateDialog)
      .Event("OnFreeDialog", &S::OnFreeDialog, &S::OnFreeDialog)
      .Event("OnAfterCreate", &S::OnAfterCreate, &S::OnAfterCreate)
      .Event("OnSetupCreate", &S::OnSetupCreate, &S::OnSetupCreate)
      .Event("OnMatchCase", &S::OnMatchCase, &S::OnMatchCase)
      .Event("OnGetLowerCase", &S::OnGetLowerCase, &S::OnGetLowerCase)
      .Event("OnGetUpperCase", &S::OnGetUpperCase, &S::OnGetUpperCase)
      .Event("OnCheckComplete", &S::OnCheckComplete, &S::OnCheckComplete)
      .Event("OnMisspelledWord", &S::OnMisspelledWord, &S::OnMisspelledWord)
      .Event("OnCheckCanceled", &S::OnCheckCanceled, &S::OnCheckCanceled)
      .Event("OnDeactivate", &S::OnDeactivate, &S::OnDeactivate)
      .Event("OnPositionDialog", &S::OnPositionDialog, &S::OnPositionDialog);
}

TVorlexSpell::TVorlexSpell(TComponent* AOwner)
    : TComponent(AOwner) {
  sortWithoutCase(ignoreAll_);
}

TVorlexSpell::~TVorlexSpell() {
  *alive_ = false;
  if (control_) RemoveFreeNotification(control_);
  if (dialog_) {
    delete dialog_;
    dialog_ = nullptr;
  }
  parser_.reset();
  // The user dictionaries save their changes as they go.
  users_.clear();
  mains_.clear();
  config_.reset();
}

bool TVorlexSpell::designing() const {
  return ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading) ||
         ComponentState().Contains(csReading);
}

AnsiString TVorlexSpell::Text(int Id) const {
  const int index = languageIndex_ < languages_.Count() ? languageIndex_ : 0;
  return languages_.Count() ? languages_.Module(index).Text(Id) : AnsiString();
}

// --- properties ---

void TVorlexSpell::SetConfigInAppDir(bool Value) {
  if (configInAppDir_ == Value) return;
  configInAppDir_ = Value;
  if (!designing() && config_) ReloadConfiguration();
}

void TVorlexSpell::SetConfigFileName(const AnsiString& Value) {
  if (configFileName_ == Value) return;
  configFileName_ = Value;
  if (!designing() && config_) ReloadConfiguration();
}

void TVorlexSpell::SetConfigKey(const AnsiString& Value) {
  if (configKey_ == Value) return;
  configKey_ = Value;
  if (!designing() && config_) ReloadConfiguration();
}

void TVorlexSpell::SetConfigAvailable(bool Value) {
  configAvailable_ = Value;
  if (!designing() && dc_) dc_->ChangeEnabled(deOptions, Value);
}

void TVorlexSpell::SetAlwaysActive(bool Value) {
  if (alwaysActive_ == Value) return;
  if (designing()) {
    alwaysActive_ = Value;
    return;
  }
  if (Value) {
    alwaysActive_ = true;
    OpenDictionaries();
  } else {
    alwaysActive_ = false;
    if (!running_) CloseDictionaries();
  }
}

void TVorlexSpell::SetMaxSuggestions(int Value) {
  maxSuggestions_ = Value;
  if (designing()) return;
  for (auto& main : mains_) main->SetMaxSuggestions(Value);
}

void TVorlexSpell::SetMaxUndo(int Value) {
  maxUndo_ = Value;
  if (!designing() && parser_) parser_->SetUndoLimit(Value);
}

void TVorlexSpell::SetDefaultMain(const AnsiString& Value) {
  defaultMain_ = Value;
  if (!designing() && config_) config_->SetDefaultMain(Value);
}

void TVorlexSpell::SetDefaultUser(const AnsiString& Value) {
  defaultUser_ = Value;
  if (!designing() && config_) config_->SetDefaultUser(Value);
}

void TVorlexSpell::SetDefaultOptions(SpellOptionSet Value) {
  defaultOptions_ = Value;
  if (!designing() && config_) config_->SetDefaultOptions(Value);
}

void TVorlexSpell::SetLanguageIndex(int Value) {
  if (Value >= 0 && Value < languages_.Count()) languageIndex_ = Value;
}

// --- configuration and dictionaries ---

void TVorlexSpell::Loaded() {
  TComponent::Loaded();
  ReloadConfiguration();
}

void TVorlexSpell::ReloadConfiguration() {
  const AnsiString path =
      configInAppDir_ ? AnsiString(qn::os::executableFolder() + "/" + configFileName_) : configFileName_;
  config_ = std::make_unique<TConfiguration>(path, defaultOptions_, defaultUser_, defaultMain_, configKey_);
  BuildDictionaryList();
  if (alwaysActive_) OpenDictionaries();
}

void TVorlexSpell::BuildDictionaryList() {
  if (!config_) return;
  std::vector<std::unique_ptr<TDictionary>> mains;
  for (const TMain& entry : config_->Mains()) {
    if (!entry.Active) continue;
    auto kept = std::find_if(mains_.begin(), mains_.end(), [&](const auto& d) { return d && d->Path() == entry.Path; });
    if (kept != mains_.end()) {
      mains.push_back(std::move(*kept));
      continue;
    }
    auto dictionary = std::make_unique<TDictionary>(entry.Path);
    if (dictionariesOpen_ && !dictionary->Open())
      MessageDlg(Text(stUnableToFind) + "\r\n" + entry.Path, mtInformation, {mbAbort}, 0);
    mains.push_back(std::move(dictionary));
  }
  mains_ = std::move(mains);
  for (auto& main : mains_) main->SetMaxSuggestions(maxSuggestions_);

  std::vector<std::unique_ptr<TUserDictionary>> users;
  for (const TUser& entry : config_->Users()) {
    if (!entry.Active) continue;
    auto kept = std::find_if(users_.begin(), users_.end(), [&](const auto& d) { return d && d->Path() == entry.Path; });
    if (kept != users_.end()) {
      users.push_back(std::move(*kept));
      continue;
    }
    users.push_back(std::make_unique<TUserDictionary>(entry.Path));
    // Read again when the dictionaries open, so that a check sees what other programs added.
    if (!dictionariesOpen_) users.back()->Close();
  }
  users_ = std::move(users);  // those no longer listed save their changes as they go

  activeUser_ = nullptr;
  const int index = config_->UserIndex();
  if (index >= 0 && index < static_cast<int>(config_->Users().size())) {
    const TUser& entry = config_->Users()[static_cast<size_t>(index)];
    for (auto& user : users_)
      if (user->Path() == entry.Path && !user->PlainList()) activeUser_ = user.get();
  }
}

void TVorlexSpell::OpenDictionaries() {
  if (designing() || dictionariesOpen_) return;
  if (!config_) ReloadConfiguration();
  while (mains_.empty()) {
    if (MessageDlg(ExpandLineMarks(Text(stNoMainDictionary)), mtConfirmation, {mbYes, mbNo}, 0) != mrYes) break;
    Configure(0);
  }
  for (auto& main : mains_)
    if (!main->Open()) MessageDlg(Text(stUnableToFind) + "\r\n" + main->Path(), mtInformation, {mbAbort}, 0);
  for (auto& user : users_) user->Load();
  dictionariesOpen_ = true;
}

void TVorlexSpell::CloseDictionaries() {
  if (designing() || alwaysActive_ || !dictionariesOpen_) return;
  for (auto& main : mains_) main->Close();
  for (auto& user : users_) user->Close();
  dictionariesOpen_ = false;
}

// --- the checks ---

void TVorlexSpell::CheckControl(TControl* Control) {
  if (running_) return;
  RunCheck(CreateParserForControl(Control, "", maxUndo_), Control);
}

void TVorlexSpell::CheckControlFromCursor(TControl* Control) {
  if (running_) return;
  auto parser = CreateParserForControl(Control, "", maxUndo_);
  if (parser) parser->StartAtCaret();
  RunCheck(std::move(parser), Control);
}

void TVorlexSpell::CheckControlSelection(TControl* Control) {
  if (running_) return;
  auto parser = CreateParserForControl(Control, "", maxUndo_);
  if (parser) {
    parser->StartAtCaret();
    parser->StopAtSelectionEnd();
  }
  RunCheck(std::move(parser), Control);
}

void TVorlexSpell::CheckComponentTree(TComponent* Component) {
  if (!Component) return;
  const bool wasActive = alwaysActive_;
  SetAlwaysActive(true);
  if (auto* control = dynamic_cast<TControl*>(Component)) CheckControl(control);
  for (int i = 0; i < Component->ComponentCount(); ++i) CheckComponentTree(Component->Components(i));
  SetAlwaysActive(wasActive);
}

void TVorlexSpell::CheckBuffer(char* Buffer) {
  if (!running_) RunCheck(CreateParserOfKind(0, "", Buffer, maxUndo_), nullptr);
}

void TVorlexSpell::CheckBufferRange(char* Buffer, int Start, int End) {
  if (running_) return;
  auto parser = CreateParserOfKind(0, "", Buffer, maxUndo_);
  if (parser) parser->SetRange(Start, End);
  RunCheck(std::move(parser), nullptr);
}

void TVorlexSpell::CheckString(AnsiString& Text) {
  if (!running_) RunCheck(CreateParserOfKind(1, "", &Text, maxUndo_), nullptr);
}

void TVorlexSpell::CheckStringRange(AnsiString& Text, int Start, int End) {
  if (running_) return;
  auto parser = CreateParserOfKind(1, "", &Text, maxUndo_);
  if (parser) parser->SetRange(Start, End);
  RunCheck(std::move(parser), nullptr);
}

void TVorlexSpell::CheckEdit(TControl* Edit) {
  if (!running_) RunCheck(CreateParserOfKind(3, "", Edit, maxUndo_), Edit);
}

void TVorlexSpell::CheckEditRange(TControl* Edit, int Start, int End) {
  if (running_) return;
  auto parser = CreateParserOfKind(3, "", Edit, maxUndo_);
  if (parser) parser->SetRange(Start, End);
  RunCheck(std::move(parser), Edit);
}

void TVorlexSpell::CheckMemo(TControl* Memo) {
  if (!running_) RunCheck(CreateParserOfKind(4, "", Memo, maxUndo_), Memo);
}

void TVorlexSpell::CheckMemoRange(TControl* Memo, int Start, int End) {
  if (running_) return;
  auto parser = CreateParserOfKind(4, "", Memo, maxUndo_);
  if (parser) parser->SetRange(Start, End);
  RunCheck(std::move(parser), Memo);
}

void TVorlexSpell::CheckRichEdit(TControl* RichEdit) {
  if (!running_) RunCheck(CreateParserOfKind(2, "", RichEdit, maxUndo_), RichEdit);
}

void TVorlexSpell::CheckRichEditRange(TControl* RichEdit, int Start, int End) {
  if (running_) return;
  auto parser = CreateParserOfKind(2, "", RichEdit, maxUndo_);
  if (parser) parser->SetRange(Start, End);
  RunCheck(std::move(parser), RichEdit);
}

AnsiString TVorlexSpell::wordCharacters() const {
  AnsiString chars;
  bool seen[256] = {};
  for (const auto& main : mains_) {
    if (!main->IsOpen()) continue;
    for (char c : main->Letters()) {
      if (seen[static_cast<unsigned char>(c)]) continue;
      seen[static_cast<unsigned char>(c)] = true;
      chars += c;
    }
  }
  return chars + Text(stExtraWordChars);
}

void TVorlexSpell::recheckWith(TParser& parser) {
  parser.SetWordChars(wordCharacters());
  parser.SetUndoLimit(maxUndo_);
  const SpellOptionSet options = config_ ? config_->Options() : 0;
  parser.SetHTML(options & soHTML);
  parser.SetInternet(options & soInternet);
  parser.SetQuoted(options & soQuoted);
  parser.SetQuoteChars(QuoteCharacters);
}

void TVorlexSpell::RunCheck(std::unique_ptr<TParser> Parser, TControl* Control) {
  if (running_) return;
  if (!Parser) {
    CloseDictionaries();
    return;
  }
  running_ = true;
  stopped_ = false;
  dialogShown_ = false;
  dialogPlaced_ = false;
  repeated_ = false;
  try {
    OpenDictionaries();
    wordCount_ = 0;
    word_.clear();
    previousWord_.clear();
    parser_ = std::move(Parser);
    recheckWith(*parser_);
    prefixes_ = splitList(IgnorePrefix);
    suffixes_ = splitList(IgnoreSuffix);
    control_ = Control;
    if (control_) FreeNotification(control_);
    parser_->Prepare();
  } catch (...) {
    failCheck();
    return;
  }
  continueCheck();
  if (!WaitForCompletion) return;
  const std::shared_ptr<bool> alive = alive_;
  while (*alive && running_) {
    Application->ProcessMessages();
    if (*alive && running_) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void TVorlexSpell::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == dialog_) {
    dialog_ = nullptr;
    dc_ = nullptr;
  }
  if (AComponent == control_) {
    // The source went with its window: the check ends and nothing more is read or written.
    control_ = nullptr;
    if (running_) {
      parser_.reset();
      endCheck(true);
    }
  }
}

// --- the word loop ---

bool TVorlexSpell::isKnownForm(const AnsiString& Word) const {
  if (Word.empty()) return false;
  for (const auto& main : mains_)
    if (main->IsOpen() && main->IsKnownWord(Word)) return true;
  for (const auto& user : users_)
    if (user->IsKnownWord(Word)) return true;
  int index = 0;
  return const_cast<StringList&>(ignoreAll_).Find(Word, index);
}

AnsiString TVorlexSpell::strip(const AnsiString& Word) const {
  AnsiString w = Word;
  for (bool again = true; again && !w.empty();) {
    again = false;
    for (const AnsiString& prefix : prefixes_)
      if (w.size() >= prefix.size() && w.compare(0, prefix.size(), prefix) == 0) {
        w.erase(0, prefix.size());
        again = true;
        break;
      }
  }
  for (bool again = true; again && !w.empty();) {
    again = false;
    for (const AnsiString& suffix : suffixes_) {
      const size_t at = w.find(suffix);
      if (at != AnsiString::npos && at + suffix.size() == w.size()) {
        w.erase(at);
        again = true;
        break;
      }
    }
  }
  return w;
}

AnsiString TVorlexSpell::lowerOf(const AnsiString& Word) const {
  AnsiString lower = LowerCase(Word);
  if (OnGetLowerCase) OnGetLowerCase(const_cast<TVorlexSpell*>(this), lower, Word);
  return lower;
}

AnsiString TVorlexSpell::upperOf(const AnsiString& Word) const {
  AnsiString result = UpperCase(Word);
  if (OnGetUpperCase) OnGetUpperCase(const_cast<TVorlexSpell*>(this), result, Word);
  return result;
}

bool TVorlexSpell::isKnown(const AnsiString& Word) const {
  const AnsiString lower = lowerOf(Word);
  return isKnownForm(Word) || isKnownForm(lower) || isKnownForm(strip(Word)) || isKnownForm(strip(lower));
}

TVorlexSpell::Verdict TVorlexSpell::judge(const AnsiString& Word) {
  const SpellOptionSet options = config_ ? config_->Options() : 0;
  bool accepted = isKnown(Word);
  if (!accepted) {
    AnsiString replacement;
    const int index = changeAllWords_.IndexOf(Word);
    if (index >= 0) replacement = changeAllReplacements_[index];
    for (size_t i = 0; replacement.empty() && i < users_.size(); ++i) replacement = users_[i]->AutoCorrection(Word);
    if (!replacement.empty()) {
      parser_->ReplaceWordUnrecorded(replacement);
      return Verdict::Replaced;
    }
    accepted = parser_->SkipWord() || allDigits(Word) || ((options & soUpcase) && Word == upperOf(Word)) ||
               ((options & soNumbers) && hasDigit(Word));
    if (!accepted) return Verdict::NotFound;
  }
  if ((options & soRepeated) && !parser_->BreakBefore() && !previousWord_.empty() &&
      AnsiCompareText(Word, previousWord_) == 0)
    return Verdict::Repeated;
  previousWord_ = Word;
  return Verdict::Accept;
}

void TVorlexSpell::continueCheck() {
  try {
    wordLoop();
  } catch (...) {
    failCheck();
  }
}

void TVorlexSpell::wordLoop() {
  const std::shared_ptr<bool> alive = alive_;
  stopped_ = false;
  AnsiString word;
  while (running_ && parser_) {
    if (!parser_->NextWord(word)) {
      endCheck(false);
      return;
    }
    ++wordCount_;
    word_ = word;
    const Verdict verdict = judge(word);
    if (verdict == Verdict::NotFound || verdict == Verdict::Repeated) {
      stop(verdict == Verdict::Repeated);
      return;
    }
    if (Random(10) == 0) {
      Application->ProcessMessages();
      if (!*alive) return;
    }
  }
}

// A failure inside the check ends it as cancelled; the source keeps what was done before.
void TVorlexSpell::failCheck() {
  const std::shared_ptr<bool> alive = alive_;
  try {
    endCheck(true);
  } catch (...) {
  }
  if (*alive) Application->HandleException(this);
}

// --- a stop ---

void TVorlexSpell::stop(bool repeated) {
  repeated_ = repeated;
  stopped_ = true;
  parser_->SelectWord();
  parser_->ScrollToWord();
  parser_->PushUndo();
  if (!dialog_) {
    createDialog();
    if (!dc_) {
      MessageDlg("Could not locate Dialog Control.", mtError, {mbOK}, 0);
      endCheck(false);
      return;
    }
  }
  placeDialog();
  if (!dialogShown_) {
    dialog_->Show();
    dialogShown_ = true;
  }
  refreshStop();
}

void TVorlexSpell::refreshStop() {
  const SpellOptionSet options = config_ ? config_->Options() : 0;
  stopped_ = true;
  settingControls_ = true;
  dc_->SetCaption(deNotFound, word_);
  dc_->SetCaption(deErrorLabel, Text(repeated_ ? stRepeatedWord : stNotFound));
  dc_->SetCaption(deChange, Text(repeated_ ? stDelete : stChange));
  for (int element : {deIgnoreAll, deIgnore}) dc_->ChangeEnabled(element, true);
  dc_->ChangeEnabled(deChange, repeated_);
  dc_->ChangeEnabled(deChangeAll, false);
  dc_->ChangeEnabled(deAutoCorrect, false);
  dc_->ChangeEnabled(deAdd, activeUser_ != nullptr);
  dc_->ChangeEnabled(deSuggest, !(options & soAutoSuggest));
  dc_->ChangeEnabled(deUndoLast, parser_->CanUndo());
  dc_->ChangeEnabled(deStart, false);
  dc_->ChangeEnabled(deOptions, configAvailable_);
  if (dc_->WordEdit) dc_->WordEdit->SetText("");
  StringList list;
  sortWithoutCase(list);
  if (!repeated_ && (options & soAutoSuggest)) GetSuggestions(word_, list);
  if (dc_->Suggestions) {
    dc_->Suggestions->Items()->Assign(list);
    dc_->Suggestions->SetItemIndex(-1);
  }
  settingControls_ = false;
  if (AutoSelectFirst && dc_->Suggestions && dc_->Suggestions->Items()->Count() > 0) {
    dc_->Suggestions->SetItemIndex(0);
    onSuggestionClick(dc_->Suggestions);
    if (dc_->WordEdit) dc_->WordEdit->SelectAll();
  }
  if (OnMisspelledWord) OnMisspelledWord(this);
  if (BackgroundSuggestions && !repeated_ && !mains_.empty()) post([this] { runBackground(); });
}

void TVorlexSpell::GetSuggestions(const AnsiString& Word, StringList& List) {
  std::optional<HourglassCursor> wait;
  if (DialogHourGlass) wait.emplace();
  const SpellOptionSet options = config_ ? config_->Options() : 0;
  const size_t dictionaries = (options & soPrimaryOnly) ? std::min<size_t>(mains_.size(), 1) : mains_.size();
  auto full = [&] { return List.Count() > maxSuggestions_; };
  const AnsiString lower = lowerOf(Word);
  if (lower != Word) {
    StringList found;
    for (size_t i = 0; i < dictionaries && !full(); ++i)
      if (mains_[i]->IsOpen()) mains_[i]->GetSuggestions(lower, found);
    for (int i = 0; i < found.Count() && !full(); ++i) {
      AnsiString suggestion = found[i];
      if (OnMatchCase) OnMatchCase(this, suggestion, Word);
      else if (suggestion == LowerCase(suggestion)) suggestion = ApplyCapitalPattern(Word, suggestion);
      List.Add(suggestion);
    }
  }
  for (size_t i = 0; i < dictionaries && !full(); ++i)
    if (mains_[i]->IsOpen()) mains_[i]->GetSuggestions(Word, List);
}

// --- the background generator ---

bool TVorlexSpell::GenerateSuggestions(const AnsiString& Word, const AnsiString& Original, StringList& List,
                                       bool FirstMethods) {
  const std::shared_ptr<bool> alive = alive_;
  const AnsiString chars = parser_ ? parser_->WordChars() : wordCharacters();
  const size_t n = Word.size();
  int sincePump = 0;
  bool stopped = false;
  auto full = [&] { return List.Count() > maxSuggestions_; };
  auto known = [&](const AnsiString& w) {
    for (const auto& main : mains_)
      if (main->IsOpen() && main->IsKnownWord(w)) return true;
    return false;
  };
  // Answers false once the generator must stop.
  auto offer = [&](const AnsiString& candidate) {
    if (++sincePump >= kCandidatesPerPump) {
      sincePump = 0;
      Application->ProcessMessages();
      if (!*alive || interrupt_ || !running_) {
        stopped = true;
        return false;
      }
    }
    if (candidate.empty() || candidate == Word || List.IndexOf(candidate) >= 0) return !full();
    if (known(candidate)) List.Add(ApplyCapitalPattern(Original, candidate));
    return !full();
  };
  auto insertAt = [](const AnsiString& w, size_t at, char c) {
    AnsiString out = w;
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), c);
    return out;
  };
  auto eraseAt = [](const AnsiString& w, size_t at) {
    AnsiString out = w;
    out.erase(at, 1);
    return out;
  };
  auto replaceAt = [](const AnsiString& w, size_t at, char c) {
    AnsiString out = w;
    out[at] = c;
    return out;
  };
  auto run = [&]() -> bool {
    if (FirstMethods) {
      for (size_t i = 0; i < n; ++i) {
        AnsiString w = Word;
        const AnsiString c(1, w[i]);
        w[i] = (UpperCase(c) == c ? LowerCase(c) : UpperCase(c))[0];
        if (!offer(w)) return false;
      }
      for (size_t i = 0; i + 1 < n; ++i) {
        AnsiString w = Word;
        std::swap(w[i], w[i + 1]);
        if (!offer(w)) return false;
      }
      for (size_t i = 0; i < n; ++i)
        if (!offer(eraseAt(Word, i))) return false;
      for (size_t i = 0; i <= n; ++i)
        for (char c : chars)
          if (!offer(insertAt(Word, i, c))) return false;
      for (size_t i = 0; i < n; ++i)
        for (char c : chars)
          if (!offer(replaceAt(Word, i, c))) return false;
      if (n > 2)
        for (size_t i = 0; i + 2 < n; ++i) {
          AnsiString w = Word;
          std::swap(w[i], w[i + 2]);
          if (!offer(w)) return false;
        }
      if (n > 4)
        for (size_t i = 0; i < n; ++i)
          for (size_t j = i + 1; j < n; ++j)
            if (!offer(eraseAt(eraseAt(Word, j), i))) return false;
      if (n > 3)
        for (size_t i = 1; i < n; ++i) {
          const AnsiString left = Word.substr(0, i), right = Word.substr(i);
          if (known(left) && known(right) && !offer(left + " " + right)) return false;
        }
    }
    if (n > 2)
      for (size_t i = 0; i <= n; ++i)
        for (char c : chars) {
          const AnsiString inserted = insertAt(Word, i, c);
          for (size_t j = 0; j < inserted.size(); ++j)
            if (j != i && !offer(eraseAt(inserted, j))) return false;
        }
    if (n > 1)
      for (size_t i = 0; i <= n; ++i)
        for (char c : chars) {
          const AnsiString inserted = insertAt(Word, i, c);
          for (size_t j = 0; j < inserted.size(); ++j)
            if (j != i)
              for (char d : chars)
                if (!offer(replaceAt(inserted, j, d))) return false;
        }
    for (size_t i = 0; i <= n; ++i)
      for (char c : chars)
        for (size_t j = 0; j <= n + 1; ++j)
          for (char d : chars)
            if (!offer(insertAt(insertAt(Word, i, c), j, d))) return false;
    if (n > 2)
      for (size_t i = 0; i < n; ++i) {
        const AnsiString erased = eraseAt(Word, i);
        for (size_t j = 0; j < erased.size(); ++j)
          for (char c : chars)
            if (!offer(replaceAt(erased, j, c))) return false;
      }
    for (size_t i = 0; i < n; ++i)
      for (size_t j = i + 1; j < n; ++j)
        for (char c : chars)
          for (char d : chars)
            if (!offer(replaceAt(replaceAt(Word, i, c), j, d))) return false;
    return true;
  };
  run();
  return !stopped;
}

void TVorlexSpell::runBackground() {
  if (!running_ || !stopped_ || !dc_ || repeated_ || background_) return;
  const std::shared_ptr<bool> alive = alive_;
  const SpellOptionSet options = config_ ? config_->Options() : 0;
  background_ = true;
  interrupt_ = false;
  pendingAction_ = -1;
  const AnsiString caption = Text(stDialogCaption);
  if (dialog_) dialog_->SetCaption(caption + " " + Text(stWorking));
  std::optional<HourglassCursor> wait;
  if (DialogHourGlass) wait.emplace();
  dc_->BackgroundStart();
  StringList list;
  sortWithoutCase(list);
  if (dc_->Suggestions) list.Assign(*dc_->Suggestions->Items());
  const AnsiString word = word_;
  try {
    GenerateSuggestions(lowerOf(word), word, list, !(options & soAutoSuggest));
  } catch (...) {
    background_ = false;
    failCheck();
    return;
  }
  if (!*alive) return;
  background_ = false;
  if (dc_) {
    if (dc_->Suggestions && !interrupt_ && running_) {
      settingControls_ = true;
      const int selected = dc_->Suggestions->ItemIndex();
      dc_->Suggestions->Items()->Assign(list);
      dc_->Suggestions->SetItemIndex(selected < list.Count() ? selected : -1);
      settingControls_ = false;
    }
    dc_->BackgroundEnd();
  }
  if (dialog_) dialog_->SetCaption(caption);
  wait.reset();
  const int pending = pendingAction_;
  interrupt_ = false;
  pendingAction_ = -1;
  if (pending >= 0) perform(pending);
}

void TVorlexSpell::post(std::function<void()> call) {
  QTimer::singleShot(0, QCoreApplication::instance(), [alive = alive_, call = std::move(call)] {
    if (*alive) call();
  });
}

// --- the dialog's actions ---

AnsiString TVorlexSpell::replacement() const { return dc_ && dc_->WordEdit ? dc_->WordEdit->Text() : AnsiString(); }

void TVorlexSpell::onAction(int Action) {
  if (!running_) return;
  if (background_) {
    interrupt_ = true;
    pendingAction_ = Action;
    return;
  }
  perform(Action);
}

void TVorlexSpell::replaceCurrent(const AnsiString& Text, int UndoAction) {
  const SpellOptionSet options = config_ ? config_->Options() : 0;
  parser_->SetUndoAction(UndoAction);
  parser_->ReplaceWord(Text);
  if (options & soRecheck) parser_->BackToWordStart();
  else previousWord_ = Text;
}

void TVorlexSpell::perform(int Action) {
  if (!running_ || !parser_) return;
  if (!stopped_ && Action != daCancel && Action != daStart && Action != daHelp) return;
  try {
    switch (Action) {
      case daSuggest: {
        const AnsiString text = replacement().empty() ? word_ : replacement();
        dc_->SuggestStart();
        StringList list;
        sortWithoutCase(list);
        GetSuggestions(text, list);
        settingControls_ = true;
        dc_->Suggestions->Items()->Assign(list);
        settingControls_ = false;
        dc_->SuggestEnd();
        return;
      }
      case daStart:
        resetControls();
        parser_->StartAtCaret();
        parser_->Prepare();
        break;
      case daUndoLast:
        takeBack();
        break;
      case daOptions:
        Configure(1);
        if (!running_ || !parser_) return;
        recheckWith(*parser_);
        if (judge(word_) == Verdict::Accept) break;
        refreshStop();
        return;
      case daChangeAll:
        changeAllWords_.Add(word_);
        changeAllReplacements_.Add(replacement());
        replaceCurrent(replacement(), uaChangeAll);
        break;
      case daChange:
        if (repeated_) {
          const int at = parser_->Position();
          parser_->SetUndoAction(uaDelete);
          parser_->ReplaceWord("");
          parser_->SetRange(at - 1, parser_->RangeEnd());
          parser_->DeleteCharIfSpace();
        } else {
          replaceCurrent(replacement(), uaChange);
        }
        break;
      case daIgnoreAll:
        parser_->SetUndoAction(uaIgnoreAll);
        ignoreAll_.Add(word_);
        previousWord_ = word_;
        break;
      case daIgnore:
        parser_->SetUndoAction(uaIgnore);
        if (repeated_) dc_->SetCaption(deChange, Text(stChange));
        previousWord_ = word_;
        break;
      case daAdd:
        if (!activeUser_) return;
        parser_->SetUndoAction(uaAdd);
        activeUser_->AddWord(word_);
        previousWord_ = word_;
        break;
      case daAutoCorrect:
        if (!activeUser_) return;
        activeUser_->AddAutoCorrect(word_, replacement());
        replaceCurrent(replacement(), uaAutoCorrect);
        break;
      case daHelp:
        qn::ui::showHelp(HelpRequest{HelpFile, HelpContextDialog});
        return;
      case daCancel:
        if (OnCheckCanceled) OnCheckCanceled(this);
        endCheck(true);
        return;
      default:
        return;
    }
  } catch (...) {
    failCheck();
    return;
  }
  continueCheck();
}

void TVorlexSpell::takeBack() {
  std::unique_ptr<TUndo> entry = parser_->Undo();
  if (!entry) return;
  auto removeFrom = [](StringList& list, const AnsiString& word) {
    const int index = list.IndexOf(word);
    if (index >= 0) list.Delete(index);
    return index;
  };
  switch (entry->Action) {
    case uaChangeAll: {
      const int index = changeAllWords_.IndexOf(entry->Word);
      if (index >= 0) {
        changeAllWords_.Delete(index);
        changeAllReplacements_.Delete(index);
      }
      break;
    }
    case uaIgnoreAll:
      removeFrom(ignoreAll_, entry->Word);
      break;
    case uaAdd:
      if (activeUser_) activeUser_->RemoveWord(entry->Word);
      break;
    case uaAutoCorrect:
      if (activeUser_) activeUser_->RemoveAutoCorrect(entry->Word);
      break;
    default:
      break;
  }
  previousWord_.clear();
}

void TVorlexSpell::resetControls() {
  if (!dc_) return;
  settingControls_ = true;
  for (int element : {deChangeAll, deChange, deIgnoreAll, deIgnore, deAdd, deAutoCorrect, deSuggest, deUndoLast})
    dc_->ChangeEnabled(element, false);
  dc_->SetCaption(deNotFound, "");
  if (dc_->WordEdit) dc_->WordEdit->SetText("");
  if (dc_->Suggestions) dc_->Suggestions->Items()->Clear();
  settingControls_ = false;
}

void TVorlexSpell::onSuggestionClick(TObject*) {
  if (!dc_ || !dc_->Suggestions || !dc_->WordEdit) return;
  const int index = dc_->Suggestions->ItemIndex();
  if (index < 0 || index >= dc_->Suggestions->Items()->Count()) return;
  choosingSuggestion_ = true;
  dc_->WordEdit->SetText((*dc_->Suggestions->Items())[index]);
  choosingSuggestion_ = false;
}

void TVorlexSpell::onReplaceChange(TObject*) {
  if (settingControls_ || !dc_ || !running_) return;
  for (int element : {deChangeAll, deChange, deSuggest}) dc_->ChangeEnabled(element, true);
  if (activeUser_) {
    dc_->ChangeEnabled(deAdd, true);
    dc_->ChangeEnabled(deAutoCorrect, true);
  }
  if (!choosingSuggestion_ && dc_->Suggestions) dc_->Suggestions->SetItemIndex(-1);
}

// --- the end ---

void TVorlexSpell::endCheck(bool cancelled) {
  if (!running_) return;
  const std::shared_ptr<bool> alive = alive_;
  stopped_ = false;
  if (OnCheckComplete) OnCheckComplete(this);
  if (!*alive) return;
  if (dialog_) dialog_->Hide();
  const bool show = EndShowMessage == emAlways || (EndShowMessage == emNoDialog && !dialogShown_) ||
                    (EndShowMessage == emExceptCancel && !cancelled);
  if (show) {
    AnsiString message = Text(stCheckComplete);
    if (WordCountVisible) message += "\r\n\r\n" + Text(stWordsChecked) + AnsiString(std::to_string(wordCount_));
    MessageDlg(message, mtInformation, {mbOK}, 0);
    if (!*alive) return;
  }
  freeDialog();
  parser_.reset();
  if (control_) {
    RemoveFreeNotification(control_);
    control_ = nullptr;
  }
  CloseDictionaries();
  running_ = false;
}

void TVorlexSpell::freeDialog() {
  if (!dialog_) return;
  TForm* form = dialog_;
  RemoveFreeNotification(form);
  dialog_ = nullptr;
  dc_ = nullptr;
  if (HelpSeparate && HelpEnabled) Application->SetHelpFile(savedHelpFile_);
  if (OnFreeDialog) OnFreeDialog(this, form);
  else form->Release();
}
