#include <gtest/gtest.h>

#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/IniFile.h"
#include "platform/spellengine/SystemDictionaries.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Memo.h"
#include "framework/ui/RichEdit.h"
#include "spell/ConfigDialog.h"
#include "spell/Parser.h"
#include "spell/UserDictionary.h"
#include "spell/tests/SpellCheckHarness.h"

namespace {

using spelltest::Harness;
using spelltest::Step;

constexpr SpellOptionSet kDefaults = soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated;

struct LoopCase {
  const char* name;
  AnsiString text;
  SpellOptionSet options;
  std::deque<Step> script;
  std::vector<AnsiString> stops;  // the words stopped on, in order
  AnsiString result;
  const char* autoCorrect = nullptr;  // "word=replacement" in the active user dictionary
};

TEST(SpellCheckWordLoopTest, StopsAndSilentReplacements) {
  const std::vector<LoopCase> cases = {
      {"repeated word deleted with its space", "the the cat", kDefaults, {{daChange, ""}}, {"the"}, "the cat"},
      {"apostrophe endings through the stem", "heirs' and Smith's claim", kDefaults, {}, {}, "heirs' and Smith's claim"},
      {"digits and URLs", "1999 http://example.com/x 42 ftp://host", kDefaults, {}, {}, "1999 http://example.com/x 42 ftp://host"},
      {"capitals stop without soUpcase", "the NASA cat", kDefaults, {{daIgnore, ""}}, {"NASA"}, "the NASA cat"},
      {"capitals accepted with soUpcase", "the NASA cat", kDefaults | soUpcase, {}, {}, "the NASA cat"},
      {"a digit stops without soNumbers", "a B52 sat", kDefaults, {{daIgnore, ""}}, {"B52"}, "a B52 sat"},
      {"a digit accepted with soNumbers", "a B52 sat", kDefaults | soNumbers, {}, {}, "a B52 sat"},
      {"change all replaces later occurrences", "teh cat sat on teh mat", kDefaults, {{daChangeAll, "the"}}, {"teh"},
       "the cat sat on the mat"},
      {"auto-correct pair replaces without a stop", "we recieve it", kDefaults, {}, {}, "we receive it",
       "recieve=receive"},
      {"a repeated word is not stopped on without soRepeated", "the the cat", kDefaults & ~soRepeated, {}, {},
       "the the cat"},
  };
  for (const LoopCase& c : cases) {
    SCOPED_TRACE(c.name);
    Harness harness;
    if (c.autoCorrect) {
      const AnsiString pair = c.autoCorrect;
      const size_t eq = pair.find('=');
      TUserDictionary user(harness.folder() + "/default.udt");
      user.AddAutoCorrect(pair.substr(0, eq), pair.substr(eq + 1));
    }
    harness.setOptions(c.options);
    EXPECT_EQ(harness.check(c.text, c.script), c.result);
    std::vector<AnsiString> words;
    for (const auto& stop : harness.stops) words.push_back(stop.word);
    EXPECT_EQ(words, c.stops);
    EXPECT_FALSE(harness.spell().Checking());
  }
}

TEST(SpellCheckWordLoopTest, ARepeatedWordShowsItsLabelAndDeleteAndIgnoreGivesChangeBack) {
  Harness harness;
  AnsiString changeAfterIgnore;
  harness.check("the the cat", {{daIgnore, "", false, nullptr}});
  ASSERT_EQ(harness.stops.size(), 1u);
  EXPECT_EQ(harness.stops[0].errorLabel, "Repeated Word:");
  EXPECT_EQ(harness.stops[0].changeCaption, "&Delete");
  EXPECT_TRUE(harness.stops[0].enabled[deChange]);

  Harness other;
  other.check("wrod cat", {});
  ASSERT_EQ(other.stops.size(), 1u);
  EXPECT_EQ(other.stops[0].errorLabel, "Not Found:");
  EXPECT_EQ(other.stops[0].changeCaption, "C&hange");
}

TEST(SpellCheckActionsTest, IgnoreAllAddAndAutoCorrectGoOnWithoutStoppingAgain) {
  {
    Harness harness;
    EXPECT_EQ(harness.check("teh cat teh", {{daIgnoreAll, ""}}), "teh cat teh");
    EXPECT_EQ(harness.stops.size(), 1u);
    EXPECT_EQ(harness.spell().IgnoreAllList().IndexOf("TEH"), 0);
  }
  {
    Harness harness;
    EXPECT_EQ(harness.check("Whitcomb and Hale and Whitcomb", {{daAdd, ""}}), "Whitcomb and Hale and Whitcomb");
    EXPECT_EQ(harness.stops.size(), 1u);
    // The check's end saves the user dictionary.
    qn::os::IniFile saved(harness.folder() + "/default.udt");
    EXPECT_EQ(saved.ReadString("Added", "IGN_ListCount", ""), "1");
    EXPECT_EQ(saved.ReadString("Added", "IGN_0", ""), "Whitcomb");
  }
  {
    Harness harness;
    EXPECT_EQ(harness.check("teh cat teh", {{daAutoCorrect, "the"}}), "the cat the");
    EXPECT_EQ(harness.stops.size(), 1u);
    EXPECT_EQ(qn::os::IniFile(harness.folder() + "/default.udt").ReadString("Auto Correct", "AC_0", ""), "teh@@@the");
  }
}

struct UndoCase {
  const char* name;
  Step first;
  // What the lists must hold again once the first step is taken back.
  std::function<void(TVorlexSpell&)> undone;
};

TEST(SpellCheckActionsTest, UndoLastPutsTheListsAndTheTextBack) {
  const std::vector<UndoCase> cases = {
      {"change", {daChange, "the"}, nullptr},
      {"change all", {daChangeAll, "the"},
       [](TVorlexSpell& spell) {
         EXPECT_EQ(spell.ChangeAllWords().Count(), 0);
         EXPECT_EQ(spell.ChangeAllReplacements().Count(), 0);
       }},
      {"ignore all", {daIgnoreAll, ""}, [](TVorlexSpell& spell) { EXPECT_EQ(spell.IgnoreAllList().Count(), 0); }},
      {"add", {daAdd, ""}, [](TVorlexSpell& spell) { EXPECT_FALSE(spell.ActiveUserDictionary()->IsKnownWord("teh")); }},
      {"auto-correct", {daAutoCorrect, "the"},
       [](TVorlexSpell& spell) { EXPECT_EQ(spell.ActiveUserDictionary()->AutoCorrection("teh"), ""); }},
  };
  for (const UndoCase& c : cases) {
    SCOPED_TRACE(c.name);
    Harness harness;
    TVorlexSpell& spell = harness.spell();
    AnsiString text = "teh cat wrod";
    harness.lastAction = daCancel;
    Step check{daCancel, "", false, [&] {
                 if (c.undone) c.undone(spell);
               }};
    const AnsiString after = harness.check(text, {c.first, {daUndoLast, ""}, check});
    EXPECT_EQ(after, "teh cat wrod");
    ASSERT_EQ(harness.stops.size(), 3u);
    EXPECT_EQ(harness.stops[0].word, "teh");
    EXPECT_EQ(harness.stops[1].word, "wrod");
    EXPECT_TRUE(harness.stops[1].enabled[deUndoLast]);
    EXPECT_EQ(harness.stops[2].word, "teh") << "the check goes on from the word taken back";
    EXPECT_FALSE(harness.stops[0].enabled[deUndoLast]);
  }
}

TEST(SpellCheckActionsTest, OptionsKeepTheCheckOnTheWordWithTheNewSettings) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  spelltest::AnswerConfigDialog(spell, [](TForm& form) {
    auto& dialog = dynamic_cast<TConfigDialog&>(form);
    CheckBox* upcase = dialog.OptionBoxes[0];
    ASSERT_NE(upcase, nullptr);
    upcase->SetChecked(true);
    upcase->OnClick(upcase);
  });
  EXPECT_EQ(harness.check("the NASA cat wrod", {{daOptions, ""}, {daIgnore, ""}}), "the NASA cat wrod");
  ASSERT_EQ(harness.stops.size(), 2u);
  EXPECT_EQ(harness.stops[0].word, "NASA");
  EXPECT_EQ(harness.stops[1].word, "wrod") << "NASA is accepted with the new setting";
  EXPECT_TRUE(qn::os::IniFile(harness.folder() + "/VORLEX.CFG").ReadBool("vorlex", "soUpcase", false));
}

TEST(SpellCheckActionsTest, CancelEndsWithoutTheMessageAndTheEndMessageCountsTheWords) {
  {
    Harness harness;
    harness.spell().EndShowMessage = emExceptCancel;
    bool cancelled = false;
    harness.spell().OnCheckCanceled = [&](TObject*) { cancelled = true; };
    qn::ui::testing::ScriptedMessageBoxes boxes;  // none expected
    EXPECT_EQ(harness.check("wrod cat", {{daCancel, ""}}), "wrod cat");
    EXPECT_TRUE(cancelled);
    EXPECT_FALSE(harness.spell().Checking());
  }
  {
    Harness harness;
    harness.spell().EndShowMessage = emExceptCancel;
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtInformation, "Spell Check Complete\r\n\r\nWords Checked: 12");
    harness.check("one two three four five six seven eight nine ten eleven twelve", {});
    EXPECT_TRUE(harness.stops.empty());
  }
}

TEST(SpellCheckActionsTest, AFailureInTheLoopEndsTheCheckAndKeepsTheChangesBeforeIt) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  int calls = 0;
  spell.OnGetLowerCase = [&](TObject*, AnsiString& result, const AnsiString& word) {
    if (word == "boom") throw std::runtime_error("the dictionary failed");
    ++calls;
  };
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtError, "the dictionary failed");
  EXPECT_EQ(harness.check("teh cat boom wrod", {{daChange, "the"}}), "the cat boom wrod");
  EXPECT_FALSE(spell.Checking());
  EXPECT_EQ(harness.stops.size(), 1u);
}

TEST(SpellCheckSuggestionsTest, AddIsEnabledOnlyWithAnActiveUserDictionaryOfWords) {
  Harness harness;
  harness.check("wrod", {});
  ASSERT_EQ(harness.stops.size(), 1u);
  EXPECT_TRUE(harness.stops[0].enabled[deAdd]);

  Harness plain;
  plain.configure(plain.folder() + "/english.dct", "Test English", {plain.folder() + "/words.dic"}, 0, kDefaults);
  plain.check("wrod", {});
  ASSERT_EQ(plain.stops.size(), 1u);
  EXPECT_FALSE(plain.stops[0].enabled[deAdd]);
  EXPECT_EQ(plain.spell().ActiveUserDictionary(), nullptr);
}

TEST(SpellCheckSuggestionsTest, TheCapitalPatternCarriesOver) {
  EXPECT_EQ(ApplyCapitalPattern("Teh", "the"), "The");
  EXPECT_EQ(ApplyCapitalPattern("TEH", "then"), "THEN") << "longer, its letter at the last place a capital";
  EXPECT_EQ(ApplyCapitalPattern("TeH", "them"), "ThEM");
  EXPECT_EQ(ApplyCapitalPattern("tEh", "then"), "tHen");
  EXPECT_EQ(ApplyCapitalPattern("Word", "wo"), "Wo");
}

TEST(SpellCheckSuggestionsTest, BackgroundSuggestionsStopOnePastTheMaximum) {
  for (int maximum : {1, 3, 6}) {
    SCOPED_TRACE(maximum);
    Harness harness;
    TVorlexSpell& spell = harness.spell();
    harness.setOptions(kDefaults & ~soAutoSuggest);
    spell.BackgroundSuggestions = true;
    spell.SetMaxSuggestions(maximum);
    int listed = -1;
    spell.OnMisspelledWord = nullptr;
    spell.OnCreateDialog = [&](TObject*, TForm*& form) {
      auto* dialog = new spelltest::FakeDialog(&spell);
      dialog->dc->OnBackgroundEnd = [&, dialog](TObject*) {
        listed = dialog->list->Items()->Count();
        QTimer::singleShot(0, QCoreApplication::instance(), [dialog] { dialog->dc->DoAction(daCancel); });
      };
      form = dialog;
    };
    // "tat" is one letter from cat, sat, mat, eat...; the trie knows several of them.
    harness.check("tat", {});
    EXPECT_GE(listed, 1);
    EXPECT_LE(listed, maximum + 1);
    if (maximum == 1) {
      EXPECT_EQ(listed, 2);
    }
  }
}

TEST(SpellCheckSuggestionsTest, AButtonPressedWhileSuggestionsRunActsAfterThey) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  harness.setOptions(kDefaults & ~soAutoSuggest);
  spell.BackgroundSuggestions = true;
  spell.SetMaxSuggestions(100000);  // the generator runs through every method
  std::vector<std::string> events;
  spell.OnMisspelledWord = [&](TObject*) { events.push_back("stop " + std::string(spell.CurrentWord())); };
  spell.OnCreateDialog = [&](TObject*, TForm*& form) {
    auto* dialog = new spelltest::FakeDialog(&spell);
    dialog->dc->OnBackgroundStart = [&, dialog](TObject*) {
      events.push_back("start");
      const int action = events.size() < 3 ? daIgnore : daCancel;
      QTimer::singleShot(0, QCoreApplication::instance(), [&, dialog, action] {
        events.push_back(action == daIgnore ? "ignore pressed" : "cancel pressed");
        dialog->dc->DoAction(action);
      });
    };
    dialog->dc->OnBackgroundEnd = [&](TObject*) { events.push_back("end"); };
    form = dialog;
  };
  harness.check("tat wrod", {});
  EXPECT_EQ(events, (std::vector<std::string>{"stop tat", "start", "ignore pressed", "end", "stop wrod", "start",
                                              "cancel pressed", "end"}));
}

}  // namespace

namespace {

class EnglishSuggestionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto aff = qn::spellengine::systemDictionary("en_US");
    ASSERT_TRUE(aff) << "the system's en_US Hunspell dictionary";
    harness.configure(*aff, "Hunspell en_US", {harness.folder() + "/default.udt"}, 0, kDefaults);
  }
  Harness harness{false};
};

TEST_F(EnglishSuggestionsTest, TheLowerCaseFormsSuggestionsComeBackWithTheWordsCapitals) {
  harness.check("Teh apraisal", {{daIgnore, ""}, {daIgnore, ""}});
  ASSERT_EQ(harness.stops.size(), 2u);
  auto lists = [](const spelltest::Stop& stop, const char* word) {
    return std::find(stop.suggestions.begin(), stop.suggestions.end(), AnsiString(word)) != stop.suggestions.end();
  };
  EXPECT_EQ(harness.stops[0].word, "Teh");
  EXPECT_TRUE(lists(harness.stops[0], "The"));
  EXPECT_FALSE(lists(harness.stops[0], "the")) << "re-cased, not listed twice";
  EXPECT_EQ(harness.stops[1].word, "apraisal");
  EXPECT_TRUE(lists(harness.stops[1], "appraisal"));
  EXPECT_FALSE(harness.stops[0].enabled[deSuggest]) << "suggestions come by themselves";
}

}  // namespace

namespace {

TEST(SpellCheckControlTest, AControlDestroyedAtAStopEndsTheCheckWithoutTouchingIt) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  auto form = std::make_unique<TForm>(nullptr);
  auto* rich = new TRichEdit(form.get());
  rich->SetParent(form.get());
  rich->SetText("teh wrod");
  int stops = 0;
  spell.OnMisspelledWord = [&](TObject*) {
    ++stops;
    QTimer::singleShot(0, QCoreApplication::instance(), [&] { delete rich; });
  };
  spell.CheckControl(rich);
  EXPECT_EQ(stops, 1);
  EXPECT_FALSE(spell.Checking());
  EXPECT_EQ(spell.Dialog(), nullptr);
}

TEST(SpellCheckControlTest, WithoutAMainDictionaryTheUserIsAskedFirst) {
  Harness harness(false);
  harness.configure("", "", {harness.folder() + "/default.udt"}, 0, kDefaults);
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation,
               "A main dictionary has yet to be\r\nset for this configuration.\r\n\r\nEdit configuration?", mrNo);
  EXPECT_EQ(harness.check("the cat", {}), "the cat");
  EXPECT_TRUE(harness.stops.empty()) << "the word characters come from the main dictionaries: there are none";
  EXPECT_FALSE(harness.spell().Checking());
}

}  // namespace

namespace {

TEST(SpellCheckControlTest, AComponentTreeIsCheckedControlByControlWithTheDictionariesOpenOnce) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  TForm form(nullptr);
  auto* first = new TEdit(&form);
  first->SetParent(&form);
  first->SetText("teh");
  auto* second = new TMemo(&form);
  second->SetParent(&form);
  second->SetText("wrod");
  std::vector<bool> openAtStop;
  spell.OnMisspelledWord = [&](TObject*) {
    openAtStop.push_back(spell.DictionariesOpen() && spell.AlwaysActive());
    QTimer::singleShot(0, QCoreApplication::instance(), [&spell] { spell.DialogControl()->DoAction(daIgnore); });
  };
  spell.CheckComponentTree(&form);
  EXPECT_EQ(openAtStop, (std::vector<bool>{true, true}));
  EXPECT_FALSE(spell.AlwaysActive()) << "given back";
  EXPECT_FALSE(spell.DictionariesOpen());
}

}  // namespace

namespace {

TEST(SpellCheckActionsTest, LeavingTheDialogGivesUpTheStopAndStartPicksTheCheckUpAgain) {
  Harness harness;
  std::map<int, bool> afterLeaving;
  bool checkingAfterIgnore = false;
  // Ignore is refused once the stop is given up; Start then goes on to the next word.
  Step leave{daIgnore, "", false, [&] {
               harness.dialog->OnDeactivate(harness.dialog);
               afterLeaving = harness.dialog->enabled;
               QTimer::singleShot(0, QCoreApplication::instance(), [&] {
                 checkingAfterIgnore = harness.spell().Checking() && harness.stops.size() == 1;
                 harness.dialog->dc->DoAction(daStart);
               });
             }};
  std::deque<Step> script = {leave, {daIgnore, ""}};
  EXPECT_EQ(harness.check("teh cat wrod", script), "teh cat wrod");
  ASSERT_EQ(harness.stops.size(), 2u);
  EXPECT_EQ(harness.stops[0].word, "teh");
  EXPECT_EQ(harness.stops[1].word, "wrod");
  EXPECT_TRUE(checkingAfterIgnore) << "Ignore did nothing";
  EXPECT_TRUE(afterLeaving[deStart]);
  EXPECT_FALSE(afterLeaving[deIgnore]);
  EXPECT_FALSE(afterLeaving[deChange]);
}

}  // namespace
