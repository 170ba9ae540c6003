#include <gtest/gtest.h>

#include <fstream>

#include "framework/base/ComponentLoading.h"
#include "framework/ui/Application.h"
#include "framework/ui/HelpService.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "spell/DctWriter.h"
#include "spell/Dictionary.h"
#include "spell/tests/SpellCheckHarness.h"

namespace {

using spelltest::Harness;
using spelltest::Step;

constexpr SpellOptionSet kDefaults = soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated;

AnsiString listed(TStrings& items) {
  AnsiString all;
  for (int i = 0; i < items.Count(); ++i) all += (i ? "," : "") + items[i];
  return all;
}

TEST(SpellSettingsTest, AlwaysActiveOpensAndClosesTheDictionariesAtOnceButNotWhileLoading) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  ComponentLoading::Load(&spell, [&] {
    spell.SetAlwaysActive(true);
    EXPECT_FALSE(spell.DictionariesOpen()) << "a form being read only keeps the value";
  });
  EXPECT_TRUE(spell.AlwaysActive());
  spell.SetAlwaysActive(false);
  EXPECT_FALSE(spell.DictionariesOpen());

  spell.SetAlwaysActive(true);
  EXPECT_TRUE(spell.DictionariesOpen());
  EXPECT_EQ(harness.check("teh cat", {{daIgnore}}), "teh cat");
  EXPECT_TRUE(spell.DictionariesOpen()) << "they stay open after the check";
  spell.SetAlwaysActive(false);
  EXPECT_FALSE(spell.DictionariesOpen());

  harness.check("teh cat", {{daIgnore}});
  EXPECT_FALSE(spell.DictionariesOpen()) << "without it the check closes them";
}

TEST(SpellSettingsTest, MaxSuggestionsReachesEveryMainDictionary) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  spell.SetMaxSuggestions(3);
  ASSERT_FALSE(spell.MainDictionaries().empty());
  EXPECT_EQ(spell.MainDictionaries()[0]->MaxSuggestions(), 3);
  spell.OpenDictionaries();
  spell.SetMaxSuggestions(1);
  EXPECT_EQ(spell.MainDictionaries()[0]->MaxSuggestions(), 1);
  StringList list;
  spell.GetSuggestions("tat", list);
  EXPECT_LE(list.Count(), 2) << listed(list);
  spell.CloseDictionaries();
}

// MaxUndo set during a check limits the running parser's undo list: two changes, then Undo Last
// takes the second back; whether the first can still be taken back is the limit's.
TEST(SpellSettingsTest, MaxUndoSetDuringACheckLimitsWhatUndoLastCanReach) {
  for (int limit : {2, 20}) {
    SCOPED_TRACE(limit);
    Harness harness;
    TVorlexSpell& spell = harness.spell();
    const AnsiString result = harness.check("teh wrod cta", {{daChange, "the", false, [&] { spell.SetMaxUndo(limit); }},
                                                           {daChange, "word"},
                                                           {daUndoLast},
                                                           {daCancel}});
    EXPECT_EQ(spell.MaxUndo(), limit);
    EXPECT_EQ(result, "the wrod cta");
    ASSERT_EQ(harness.stops.size(), 4u);
    EXPECT_EQ(harness.stops[3].word, "wrod");
    EXPECT_EQ(harness.stops[3].enabled[deUndoLast], limit > 2);
  }
}

TEST(SpellSettingsTest, TheDefaultsGoToTheLoadedConfigurationAndBuildANewSection) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  WriteDctFile(harness.folder() + "/legal.dct", "Test Legal", spelltest::kLetters, {{"tort"}});
  std::ofstream(harness.folder() + "/firm.udt") << "";
  spell.SetDefaultMain("legal.dct");
  spell.SetDefaultUser("firm.udt");
  spell.SetDefaultOptions(soUpcase | soRepeated);
  EXPECT_EQ(spell.Configuration()->DefaultMain(), "legal.dct");
  EXPECT_EQ(spell.Configuration()->DefaultUser(), "firm.udt");
  EXPECT_EQ(spell.Configuration()->DefaultOptions(), soUpcase | soRepeated);

  spell.SetConfigKey("fresh");
  TConfiguration& config = *spell.Configuration();
  EXPECT_EQ(config.Options(), soUpcase | soRepeated);
  for (const TMain& main : config.Mains()) {
    SCOPED_TRACE(main.Path);
    EXPECT_EQ(main.Active, main.Path.find("legal.dct") != std::string::npos);
  }
  ASSERT_GE(config.UserIndex(), 0);
  EXPECT_NE(config.Users()[static_cast<size_t>(config.UserIndex())].Path.find("firm.udt"), std::string::npos);
  EXPECT_EQ(harness.check("tort teh", {{daIgnore}}), "tort teh");
  ASSERT_EQ(harness.stops.size(), 1u);
  EXPECT_EQ(harness.stops[0].word, "teh") << "only the legal dictionary is open";
}

TEST(SpellSettingsTest, HelpAndF1OpenTheCheckersHelpFileWhileItsDialogIsUp) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  spell.HelpFile = AnsiString(harness.folder() + "/vxspell.html");
  std::ofstream(std::string(spell.HelpFile)) << "<html></html>";
  spell.HelpContextDialog = 123;
  Application->SetHelpFile("program.html");
  std::vector<HelpRequest> requests;
  const HelpPresenter previous = qn::ui::setHelpPresenter([&](const HelpRequest& r) { requests.push_back(r); });

  std::vector<AnsiString> helpFiles;
  harness.check("teh", {{daCancel, "", false, [&] {
                           TForm* dialog = harness.dialog;
                           helpFiles.push_back(Application->HelpFile());
                           EXPECT_EQ(dialog->HelpContext(), 123);
                           EXPECT_TRUE(dialog->BorderIcons().Contains(biHelp));
                           harness.dialog->dc->DoAction(daHelp);
                           EXPECT_TRUE(qn::ui::helpRequestedFor(harness.dialog->edit)) << "F1";
                           // Going back to the text gives the program its own help file again.
                           dialog->OnDeactivate(dialog);
                           helpFiles.push_back(Application->HelpFile());
                           dialog->OnActivate(dialog);
                           helpFiles.push_back(Application->HelpFile());
                         }}});
  qn::ui::setHelpPresenter(previous);

  ASSERT_EQ(requests.size(), 2u);
  for (const HelpRequest& request : requests) {
    EXPECT_EQ(request.helpFile, spell.HelpFile);
    EXPECT_EQ(request.context, 123);
  }
  EXPECT_EQ(helpFiles, (std::vector<AnsiString>{spell.HelpFile, "program.html", spell.HelpFile}));
  EXPECT_EQ(Application->HelpFile(), "program.html") << "the dialog's end gives it back";
  Application->SetHelpFile("");
}

TEST(SpellSettingsTest, AutoSelectFirstPutsTheFirstSuggestionInTheReplaceBox) {
  for (bool select : {false, true}) {
    SCOPED_TRACE(select);
    Harness harness;
    TVorlexSpell& spell = harness.spell();
    spell.AutoSelectFirst = select;
    AnsiString box;
    int itemIndex = -2;
    harness.check("wrod", {{daCancel, "", false, [&] {
                              box = harness.dialog->edit->Text();
                              itemIndex = harness.dialog->list->ItemIndex();
                            }}});
    ASSERT_EQ(harness.stops.size(), 1u);
    ASSERT_FALSE(harness.stops[0].suggestions.empty());
    EXPECT_EQ(box, select ? harness.stops[0].suggestions[0] : AnsiString());
    EXPECT_EQ(itemIndex, select ? 0 : -1);
    EXPECT_EQ(harness.dialog, nullptr);
  }
}

TEST(SpellSettingsTest, AMainDictionaryThatFailsToOpenIsReportedWithItsPath) {
  Harness harness;
  const std::string broken = harness.folder() + "/broken.dct";
  std::ofstream(broken) << "not a dictionary";
  harness.configure(broken, "Broken", {harness.folder() + "/default.udt"}, 0, kDefaults);
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation, "Unable to find dictionary file:\r\n" + AnsiString(broken), mrAbort);
  harness.spell().OpenDictionaries();
  EXPECT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(harness.spell().DictionariesOpen());
  harness.spell().CloseDictionaries();
}

TEST(SpellSettingsTest, SuggestListsTheSuggestionsOfTheReplaceBoxOrElseOfTheWord) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  harness.setOptions(kDefaults & ~soAutoSuggest);
  std::vector<AnsiString> lists;
  std::vector<std::string> events;
  harness.check("wrod", {{daCancel, "", false, [&] {
                           spelltest::FakeDialog* dialog = harness.dialog;
                           dialog->dc->OnSuggestStart = [&](TObject*) { events.push_back("start"); };
                           dialog->dc->OnSuggestEnd = [&](TObject*) { events.push_back("end"); };
                           lists.push_back(listed(*dialog->list->Items()));
                           dialog->dc->DoAction(daSuggest);
                           lists.push_back(listed(*dialog->list->Items()));
                           dialog->edit->SetText("tset");
                           dialog->dc->DoAction(daSuggest);
                           lists.push_back(listed(*dialog->list->Items()));
                         }}});
  ASSERT_EQ(harness.stops.size(), 1u);
  EXPECT_TRUE(harness.stops[0].enabled[deSuggest]);
  ASSERT_EQ(lists.size(), 3u);
  EXPECT_EQ(lists[0], "") << "nothing is suggested before Suggest";
  EXPECT_NE(std::string(lists[1]).find("word"), std::string::npos) << lists[1];
  EXPECT_NE(std::string(lists[2]).find("test"), std::string::npos) << lists[2];
  EXPECT_EQ(std::string(lists[2]).find("word"), std::string::npos) << lists[2];
  EXPECT_EQ(events, (std::vector<std::string>{"start", "end", "start", "end"}));
}

}  // namespace

namespace {

// The cursor seen while suggestions are made at a stop (sampled as each is re-cased) and in the
// background (between its start and end events), and after the check.
TEST(SpellSettingsTest, DialogHourGlassShowsTheWaitCursorOnlyWhileSuggestionsAreMade) {
  for (bool hourglass : {false, true}) {
    SCOPED_TRACE(hourglass);
    Harness harness;
    TVorlexSpell& spell = harness.spell();
    spell.DialogHourGlass = hourglass;
    spell.BackgroundSuggestions = true;
    std::vector<TCursor> atStop, inBackground;
    spell.OnMatchCase = [&](TObject*, AnsiString& suggestion, const AnsiString& word) {
      atStop.push_back(Screen->Cursor());
      suggestion = ApplyCapitalPattern(word, suggestion);
    };
    spell.OnMisspelledWord = [&](TObject*) {
      harness.dialog->dc->OnBackgroundStart = [&](TObject*) { inBackground.push_back(Screen->Cursor()); };
      harness.dialog->dc->OnBackgroundEnd = [&](TObject*) {
        inBackground.push_back(Screen->Cursor());
        QTimer::singleShot(0, QCoreApplication::instance(), [&] { harness.dialog->dc->DoAction(daCancel); });
      };
    };
    harness.check("Wrod", {});
    const TCursor expected = hourglass ? crHourGlass : crDefault;
    ASSERT_FALSE(atStop.empty());
    for (TCursor cursor : atStop) EXPECT_EQ(cursor, expected);
    ASSERT_EQ(inBackground.size(), 2u);
    for (TCursor cursor : inBackground) EXPECT_EQ(cursor, expected);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_FALSE(spell.Checking());
  }
}

// A button pressed while the background suggestions run acts once they stop, under the normal
// cursor: the next stop it leads to shows no wait cursor.
TEST(SpellSettingsTest, TheActionPressedDuringBackgroundSuggestionsRunsWithoutTheWaitCursor) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  harness.setOptions(kDefaults & ~soAutoSuggest);
  spell.DialogHourGlass = true;
  spell.BackgroundSuggestions = true;
  spell.SetMaxSuggestions(100000);  // the generator runs through every method
  std::vector<std::pair<AnsiString, TCursor>> seen;
  spell.OnMisspelledWord = [&](TObject*) { seen.emplace_back("stop " + spell.CurrentWord(), Screen->Cursor()); };
  spell.OnCreateDialog = [&](TObject*, TForm*& form) {
    auto* dialog = new spelltest::FakeDialog(&spell);
    dialog->dc->OnBackgroundStart = [&, dialog](TObject*) {
      const int action = seen.size() < 2 ? daIgnore : daCancel;
      QTimer::singleShot(0, QCoreApplication::instance(), [&, dialog, action] {
        seen.emplace_back("pressed", Screen->Cursor());
        dialog->dc->DoAction(action);
      });
    };
    form = dialog;
  };
  harness.check("tat wrod", {});
  const std::vector<std::pair<AnsiString, TCursor>> expected = {
      {"stop tat", crDefault}, {"pressed", crHourGlass}, {"stop wrod", crDefault}, {"pressed", crHourGlass}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(Screen->Cursor(), crDefault);
}

}  // namespace
