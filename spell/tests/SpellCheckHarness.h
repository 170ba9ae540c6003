#pragma once
// A spell checker in a scratch program folder, with a dialog of the test's own supplied through
// OnCreateDialog: its dialog control records what the checker enables and captions, and at each
// stop the next step of a script is pressed, as the user would, from the message queue.
#include <QCoreApplication>
#include <QTimer>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/Random.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/ExecutablePath.h"
#include "spell/DialogControl.h"
#include "spell/VorlexSpell.h"

namespace spelltest {

// The main dictionary of the tests, a letter trie beside the configuration.
extern const std::vector<AnsiString> kWords;
extern const AnsiString kLetters;

class FakeDialog : public TForm {
 public:
  explicit FakeDialog(TComponent* owner);

  TEdit* edit;
  ListBox* list;
  TDialogControl* dc;
  std::map<int, bool> enabled;
  std::map<int, bool> visible;
  std::map<int, AnsiString> captions;
};

// What the dialog showed at one stop.
struct Stop {
  AnsiString word;
  AnsiString errorLabel;
  AnsiString changeCaption;
  std::vector<AnsiString> suggestions;
  std::map<int, bool> enabled;
};

// One press: the action, with the replace box's text first set to replacement (or, with pick, the
// suggestion of that text chosen from the list); check runs before the press.
struct Step {
  int action;
  AnsiString replacement;
  bool pick = false;
  std::function<void()> check = {};
};

class Harness {
 public:
  // Writes english.dct (kWords) into a new scratch program folder unless told not to.
  explicit Harness(bool withTrie = true);
  // On a checker of the program's (the spell engine's); its events are given back at the end.
  explicit Harness(TVorlexSpell& external);
  ~Harness();

  const std::string& folder() const { return folder_; }
  TVorlexSpell& spell() { return *spell_; }
  // Replaces the configuration with one main entry (title given) and the user entries, the
  // active one at userIndex, and reloads.
  void configure(const std::string& mainPath, const AnsiString& title, const std::vector<std::string>& users,
                 int userIndex, SpellOptionSet options);
  // Sets the options of the configuration now loaded.
  void setOptions(SpellOptionSet options);

  // Checks text as a string with the script; answers the text after the check.
  AnsiString check(const AnsiString& text, std::deque<Step> script);

  std::vector<Stop> stops;
  FakeDialog* dialog = nullptr;
  // Pressed when the script has run out.
  int lastAction = daCancel;

 private:
  void pressNext();
  void hook();

  std::string folder_;
  std::unique_ptr<qn::os::ExecutablePathOverride> program_;
  qn::ScriptedRandom random_{{1}};
  std::unique_ptr<TComponent> owner_;
  TVorlexSpell* spell_ = nullptr;
  bool external_ = false;
  TEndShowMessage endShowMessage_ = emExceptCancel;
  std::deque<Step> script_;
};

// Answers the checker's modal configuration dialog once it shows: what runs on it, then OK.
void AnswerConfigDialog(TVorlexSpell& spell, std::function<void(TForm&)> change, bool ok = true);

}  // namespace spelltest
