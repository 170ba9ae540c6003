#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <filesystem>

#include "framework/ui/Canvas.h"
#include "framework/ui/FileDialogs.h"
#include "framework/ui/Screen.h"
#include "framework/ui/testing/ScriptedMessageBoxes.h"
#include "platform/os/Files.h"
#include "platform/os/IniFile.h"
#include "platform/spellengine/SystemDictionaries.h"
#include "spell/ConfigDialog.h"
#include "spell/VorlexSpellDialog.h"
#include "spell/tests/SpellCheckHarness.h"

namespace {

using spelltest::Harness;

constexpr SpellOptionSet kDefaults = soInternet | soAutoSuggest | soPrimaryOnly | soRecheck | soRepeated;

std::filesystem::path screenshots() {
  const auto folder = std::filesystem::path(qn::os::runningProgramFolder()).parent_path() / "screenshots";
  std::filesystem::create_directories(folder);
  return folder;
}

void saveGrab(TWinControl& control, const char* name) {
  const QImage image = control.Window()->grab().toImage();
  EXPECT_FALSE(image.isNull());
  EXPECT_TRUE(image.save(QString::fromStdString((screenshots() / name).string())));
}

bool inside(const TRect& r, const TRect& screen) {
  return r.Left >= screen.Left && r.Top >= screen.Top && r.Right <= screen.Right && r.Bottom <= screen.Bottom;
}

TEST(SpellDialogPlacementTest, EveryFirstPlacementStaysOnTheScreen) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  const TRect screen{0, 0, Screen->width(), Screen->height()};
  const TRect dialog{0, 0, 420, 240};
  const int w = screen.Right, h = screen.Bottom;
  const std::vector<TRect> controls = {
      {0, 0, 300, 40},          {w - 300, 0, w, 40},         {0, h - 40, 300, h},  {w - 300, h - 40, w, h},
      {0, 0, w, h},             {w / 2 - 50, h / 2, w / 2 + 50, h / 2 + 20}, {-1, -1, -1, -1}};
  for (TInitialPosition position : {ipScreenCenter, ipUnderSelection, ipAvoidControl, ipUserDefined, ipIgnore}) {
    spell.InitialPosition = position;
    for (const TRect& control : controls) {
      const TRect word{control.Left + 10, control.Top + 5, control.Left + 60, control.Top + 20};
      const TRect placed = spell.FirstPlacement(dialog, control, control.Left == -1 ? control : word);
      SCOPED_TRACE(::testing::Message() << "position " << position << " control " << control.Left << "," << control.Top);
      EXPECT_TRUE(inside(placed, screen));
      EXPECT_EQ(placed.Width(), dialog.Width());
      EXPECT_EQ(placed.Height(), dialog.Height());
    }
  }
  spell.InitialPosition = ipAvoidControl;
  EXPECT_EQ(spell.FirstPlacement(dialog, TRect{10, 10, 310, 50}, TRect{}).Top, 52) << "below the control";
  const TRect low{10, h - 60, 310, h - 20};
  const TRect placed = spell.FirstPlacement(dialog, low, TRect{});
  EXPECT_EQ(placed.Left, 312) << "to its right when there is no room below";
  EXPECT_EQ(placed.Top, std::min(low.Top, h - dialog.Height()));
  EXPECT_EQ(spell.FirstPlacement(dialog, TRect{-1, -1, -1, -1}, TRect{-1, -1, -1, -1}).Left, (w - 420) / 2)
      << "no control rectangle: the screen's centre";
}

TEST(SpellDialogPlacementTest, LaterStopsMoveTheDialogByTheSelectionBehavior) {
  Harness harness;
  TVorlexSpell& spell = harness.spell();
  const TRect dialog{100, 100, 500, 320};
  const TRect away{600, 400, 650, 415};
  const TRect under{150, 150, 200, 165};
  struct Case {
    TSelectionBehavior behavior;
    TRect word;
    TRect expected;
  };
  const std::vector<Case> cases = {
      {sbNone, under, dialog},
      {sbAvoid, away, dialog},
      {sbAvoid, under, {150, 167, 550, 387}},
      {sbAvoidUpDown, under, {100, 167, 500, 387}},
      {sbMove, away, {600, 417, 1000, 637}},
      {sbMoveUpDown, away, {100, 417, 500, 637}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.behavior);
    spell.SelectionBehavior = c.behavior;
    TRect expected = c.expected;
    const TRect screen{0, 0, Screen->width(), Screen->height()};
    if (!inside(expected, screen)) continue;  // the screen here is too small for the case
    EXPECT_EQ(spell.LaterPlacement(dialog, c.word), expected);
  }
  spell.SelectionBehavior = sbAvoid;
  const int h = Screen->height();
  const TRect lowWord{150, h - 30, 200, h - 15};
  const TRect lowDialog{100, h - 230, 500, h - 10};
  EXPECT_EQ(spell.LaterPlacement(lowDialog, lowWord).Bottom, h - 32) << "above the word when below does not fit";
  spell.SelectionBehavior = sbAvoidUpDown;
  const TRect upDown = spell.LaterPlacement(lowDialog, lowWord);
  EXPECT_EQ(upDown.Bottom, h - 32) << "up and down only: above the word";
  EXPECT_EQ(upDown.Left, lowDialog.Left) << "and no move sideways";
  EXPECT_EQ(upDown.Right - upDown.Left, lowDialog.Right - lowDialog.Left);
}

// The dialog the component makes, looked at on the check's first stop.
class RealDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TVorlexSpell& spell = harness.spell();
    spell.OnCreateDialog = nullptr;
    spell.OnFreeDialog = nullptr;
    spell.OnMisspelledWord = [this, &spell](TObject*) {
      dialog = dynamic_cast<TVorlexSpellDialog*>(spell.Dialog());
      if (atStop) atStop();
      QTimer::singleShot(0, QCoreApplication::instance(), [&spell] {
        if (auto* shown = dynamic_cast<TVorlexSpellDialog*>(spell.Dialog())) shown->Cancel->Click();
      });
    };
  }
  Harness harness;
  TVorlexSpellDialog* dialog = nullptr;
  std::function<void()> atStop;
};

int shownWidth(TFont* font, const AnsiString& caption) {
  AnsiString shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  QImage scratch(1, 1, QImage::Format_RGB32);
  Canvas canvas(&scratch);
  canvas.SetFont(font);
  return canvas.textWidth(shown);
}

TEST_F(RealDialogTest, LongCaptionsOfASecondLanguageWidenBothColumns) {
  TVorlexSpell& spell = harness.spell();
  TLanguageModule second;
  second.SetName("Long");
  second.SetText(stNotFound, "Nicht im Wörterbuch gefunden:");
  second.SetText(stUndoLast, "&Letzte Änderung zurücknehmen");
  second.SetText(stAutoCorrect, "Automatisch &korrigieren lassen");
  second.SetText(stCancel, "Abbrechen und schließen");
  spell.Languages().Add(second);
  spell.SetLanguageIndex(1);
  struct Seen {
    int labelWidth, notFoundLeft, notFoundWidth, changeAllLeft, addLeft, buttonWidth, clientWidth;
    int w1, w2;
  } seen{};
  atStop = [&] {
    ASSERT_NE(dialog, nullptr);
    TFont* font = dialog->Font();
    int w1 = 71;
    for (int id : {17, 18, 19, 20, 10, 11, 12, 13})
      if (id != 18) w1 = std::max(w1, shownWidth(font, spell.Text(id)));
    // The error label shows text 17 on this stop; the widest of the seven controls counts.
    w1 += 4;
    int w2 = 71;
    for (int id : {4, 5, 6, 7, 8, 9, 15}) w2 = std::max(w2, shownWidth(font, spell.Text(id)));
    w2 = std::max(w2, shownWidth(font, spell.Text(16)) + 22) + 4;
    seen = {dialog->ErrorLabel->Width(), dialog->NotFound->Left(), dialog->NotFound->Width(),
            dialog->ChangeAll->Left(),   dialog->Add->Left(),      dialog->ChangeAll->Width(),
            dialog->ClientWidth(),       w1,                       w2};
    EXPECT_EQ(dialog->Caption(), "Spell Check");
    EXPECT_EQ(dialog->ErrorLabel->Text(), "Nicht im Wörterbuch gefunden:");
  };
  harness.check("wrod", {});
  ASSERT_GT(seen.w1, 75);
  ASSERT_GT(seen.w2, 75);
  const int d1 = seen.w1 - 75, grow = 2 * (seen.w2 - 4) - 142;
  EXPECT_EQ(seen.labelWidth, seen.w1);
  EXPECT_EQ(seen.notFoundLeft, 86 + d1);
  EXPECT_EQ(seen.changeAllLeft, 244 + d1);
  EXPECT_EQ(seen.addLeft, 325 + d1 + seen.w2 - 75);
  EXPECT_EQ(seen.buttonWidth, seen.w2);
  EXPECT_EQ(seen.notFoundWidth, 314 + grow);
  EXPECT_EQ(seen.clientWidth, 408 + d1 + grow);
}

TEST_F(RealDialogTest, WithoutHelpNoHelpButtonIconOrContextIsLeft) {
  TVorlexSpell& spell = harness.spell();
  const std::string helpFile = harness.folder() + "/SSCE.hlp";
  FILE* f = fopen(helpFile.c_str(), "w");
  fputs("<html></html>", f);
  fclose(f);
  spell.HelpFile = helpFile;
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    spell.HelpEnabled = enabled;
    bool helpShown = false, icon = false;
    std::vector<int> contexts;
    atStop = [&] {
      ASSERT_NE(dialog, nullptr);
      helpShown = dialog->Help->Visible();
      icon = dialog->BorderIcons().Contains(biHelp);
      contexts.push_back(dialog->HelpContext());
      for (int i = 0; i < dialog->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(dialog->Components(i))) contexts.push_back(control->HelpContext());
    };
    harness.check("wrod", {});
    EXPECT_EQ(helpShown, enabled);
    EXPECT_EQ(icon, enabled);
    const bool anyContext = std::any_of(contexts.begin(), contexts.end(), [](int c) { return c != 0; });
    EXPECT_EQ(anyContext, enabled);
    if (enabled) {
      EXPECT_NE(std::find(contexts.begin(), contexts.end(), 914), contexts.end());
    }
  }
}

TEST_F(RealDialogTest, TheDialogStoppedOnAWordShowsItWithItsSuggestions) {
  const auto aff = qn::spellengine::systemDictionary("en_US");
  ASSERT_TRUE(aff);
  harness.configure(*aff, "Hunspell en_US", {harness.folder() + "/userdic.tlx"}, 0, kDefaults);
  std::vector<AnsiString> listed;
  atStop = [&] {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->NotFound->Text(), "tset");
    EXPECT_FALSE(dialog->Start->Enabled());
    EXPECT_FALSE(dialog->Suggest->Enabled()) << "suggestions come by themselves";
    EXPECT_FALSE(dialog->UndoLast->Enabled()) << "the first stop";
    EXPECT_TRUE(dialog->Ignore->Enabled());
    EXPECT_TRUE(dialog->Add->Enabled());
    EXPECT_FALSE(dialog->Start->Window()->isEnabled());
    for (int i = 0; i < dialog->SuggestBox->Items()->Count(); ++i) listed.push_back((*dialog->SuggestBox->Items())[i]);
    saveGrab(*dialog, "spell-check-dialog.png");
  };
  harness.check("This is a tset.", {});
  EXPECT_NE(std::find(listed.begin(), listed.end(), AnsiString("test")), listed.end());
}

class ConfigDialogTest : public ::testing::Test {
 protected:
  ConfigDialogTest() : working("", kDefaults, "default.udt", "english.dct", "vorlex") {
    working.Mains().push_back({harness.folder() + "/english.dct", true, "Test English"});
    working.Mains().push_back({harness.folder() + "/gone.dct", false, "Gone"});
    working.Mains().push_back({harness.folder() + "/legal.dct", false, "Legal"});
    working.Users().push_back({harness.folder() + "/default.udt", true});
    working.SetUserIndex(0);
    working.SetOptions(kDefaults);
    FILE* f = fopen((harness.folder() + "/legal.dct").c_str(), "w");
    fclose(f);
  }
  Harness harness;
  TConfiguration working;
};

TEST_F(ConfigDialogTest, ABoxClickSwitchesAnEntryAndAMissingFileIsReported) {
  TConfigDialog dialog(nullptr, harness.spell(), working);
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtInformation,
               "This dictionary file could not be\r\nlocated.  It needs to be moved\r\nto the specified directory or\r\n"
               "this entry should be removed.\r\n\r\n" +
                   harness.folder() + "/gone.dct");
  dialog.MainListClickAt(1, 5);
  EXPECT_FALSE(working.Mains()[1].Active);
  EXPECT_FALSE(working.Modified());
  dialog.MainListClickAt(2, 20);
  EXPECT_FALSE(working.Mains()[2].Active) << "past the box the click only selects";
  dialog.MainListClickAt(2, 3);
  EXPECT_TRUE(working.Mains()[2].Active);
  EXPECT_TRUE(working.Modified());
  dialog.MainListClickAt(0, 3);
  EXPECT_FALSE(working.Mains()[0].Active) << "an active entry goes off whether its file exists or not";
}

TEST_F(ConfigDialogTest, NewUserAddsAnInactiveSelectedEntryAndRemoveMovesTheSelection) {
  TConfigDialog dialog(nullptr, harness.spell(), working);
  FileDialogRequest asked;
  const std::string chosen = harness.folder() + "/firm.udt";
  auto previous = qn::ui::setSaveFilePresenter([&](const FileDialogRequest& request) {
    asked = request;
    return std::optional<FileDialogAnswer>(FileDialogAnswer{chosen, 1});
  });
  dialog.NewUser();
  qn::ui::setSaveFilePresenter(previous);
  EXPECT_EQ(asked.title, "New User Dictionary");
  EXPECT_EQ(asked.filter, "User Dictionary File|*.udt");
  EXPECT_TRUE(asked.overwritePrompt);
  ASSERT_EQ(working.Users().size(), 2u);
  EXPECT_EQ(working.Users()[1].Path, chosen);
  EXPECT_FALSE(working.Users()[1].Active);
  EXPECT_EQ(dialog.UserList->ItemIndex(), 1);
  EXPECT_EQ((*dialog.UserList->Items())[1], "firm.udt");
  EXPECT_FALSE(qn::os::fileExists(chosen)) << "the file comes when words are saved to it";
  EXPECT_TRUE(working.Modified());

  dialog.UserList->SetItemIndex(0);
  dialog.MoveUser(1);
  EXPECT_EQ(working.Users()[1].Path, harness.folder() + "/default.udt");
  EXPECT_EQ(working.UserIndex(), 1) << "the active entry moved with its row";
  dialog.RemoveUser();
  EXPECT_EQ(working.Users().size(), 1u);
  EXPECT_EQ(working.UserIndex(), -1) << "no .udt entry is active any more";
}

TEST_F(ConfigDialogTest, LeavingAChangedCopyAsksAndNoKeepsTheDialog) {
  TConfigDialog dialog(nullptr, harness.spell(), working);
  EXPECT_TRUE(dialog.CloseQuery()) << "unchanged: no question";
  dialog.MainListClickAt(2, 3);
  qn::ui::testing::ScriptedMessageBoxes boxes;
  boxes.expect(mtConfirmation, "Exit without saving configuration?", mrNo);
  boxes.expect(mtConfirmation, "Exit without saving configuration?", mrYes);
  EXPECT_FALSE(dialog.CloseQuery());
  EXPECT_TRUE(dialog.CloseQuery());
  dialog.SetModalResult(mrOk);
}

TEST_F(ConfigDialogTest, OkWritesTheSectionAndCancelLeavesTheFile) {
  TVorlexSpell& spell = harness.spell();
  const std::string cfg = harness.folder() + "/VORLEX.CFG";
  spelltest::AnswerConfigDialog(spell, [](TForm& form) {
    auto& dialog = dynamic_cast<TConfigDialog&>(form);
    dialog.OptionBoxes[1]->SetChecked(true);
    dialog.OptionBoxes[1]->OnClick(dialog.OptionBoxes[1]);
  }, false);
  {
    qn::ui::testing::ScriptedMessageBoxes boxes;
    boxes.expect(mtConfirmation, "Exit without saving configuration?", mrYes);
    EXPECT_FALSE(spell.Configure(1));
  }
  EXPECT_FALSE(qn::os::IniFile(cfg).ReadBool("vorlex", "soNumbers", false));
  spelltest::AnswerConfigDialog(spell, [](TForm& form) {
    auto& dialog = dynamic_cast<TConfigDialog&>(form);
    dialog.OptionBoxes[1]->SetChecked(true);
    dialog.OptionBoxes[1]->OnClick(dialog.OptionBoxes[1]);
  });
  EXPECT_TRUE(spell.Configure(1));
  EXPECT_TRUE(qn::os::IniFile(cfg).ReadBool("vorlex", "ID", false));
  EXPECT_TRUE(qn::os::IniFile(cfg).ReadBool("vorlex", "soNumbers", false));
  EXPECT_TRUE(spell.Configuration()->Options() & soNumbers);
}

TEST_F(ConfigDialogTest, TheOptionsPageShowsOnlyTheVisibleOptions) {
  harness.spell().VisibleOptions = soUpcase | soRecheck;
  TConfigDialog dialog(nullptr, harness.spell(), working);
  std::vector<int> shown;
  for (size_t bit = 0; bit < dialog.OptionBoxes.size(); ++bit)
    if (dialog.OptionBoxes[bit]) shown.push_back(static_cast<int>(bit));
  EXPECT_EQ(shown, (std::vector<int>{0, 7}));
  EXPECT_EQ(dialog.FindComponent("SuggestGroup"), nullptr) << "a group without a visible option is left out";
  EXPECT_NE(dialog.FindComponent("IgnoreGroup"), nullptr);
  EXPECT_EQ(dialog.OptionBoxes[7]->Caption(), "Re-check Replaced Words");
  EXPECT_TRUE(dialog.OptionBoxes[7]->Checked());
}

TEST(SpellLanguagesTest, TheTablesStoreWithTheirEndMarksAndReadBack) {
  TLanguages languages;
  ASSERT_EQ(languages.Count(), 1);
  EXPECT_EQ(languages.Module(0).Name(), "English (US)");
  EXPECT_EQ(languages.Module(0).Count(), 64);
  EXPECT_EQ(languages.Module(0).Text(34), "Add Words &To;");
  EXPECT_EQ(ExpandLineMarks(languages.Module(0).Text(60)),
            "A main dictionary has yet to be\r\nset for this configuration.\r\n\r\nEdit configuration?");
  TLanguageModule second("Short", {"Fertig", "Wörter: "});
  languages.Add(second);
  StringList lines;
  languages.WriteTo(lines);
  EXPECT_EQ(lines.Count(), 1 + 64 + 1 + 1 + 2 + 1);
  EXPECT_EQ(lines[65], "@@@");
  TLanguages read;
  ASSERT_TRUE(read.ReadFrom(lines, 2));
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read.Module(1).Name(), "Short");
  EXPECT_EQ(read.Module(1).Count(), 2) << "the end mark is dropped";
  EXPECT_EQ(read.Module(0).Text(63), "Exit without saving configuration?");
  EXPECT_FALSE(read.ReadFrom(lines, 3)) << "fewer languages than the count says";
  EXPECT_EQ(read.Count(), 2);
}

}  // namespace
