#include <gtest/gtest.h>

#include <dlfcn.h>

#include <QImage>
#include <QWidget>

#include <chrono>
#include <fstream>
#include <thread>

#include "framework/ui/Form.h"
#include "framework/ui/RichEdit.h"
#include "platform/os/FileNames.h"
#include "platform/os/IniFile.h"
#include "platform/os/Process.h"
#include "platform/os/RegistryKey.h"
#include "platform/spellengine/SpellEngineApi.h"
#include "platform/spellengine/SystemDictionaries.h"
#include "spell/ConfigDialog.h"
#include "spell/DialogControl.h"
#include "spell/SpellEngineComponent.h"
#include "spell/UserDictionary.h"
#include "spell/tests/SpellCheckHarness.h"

namespace {

using spelltest::Harness;
using spelltest::Step;

constexpr const char* kKey = "Software\\Vantor\\Quillon\\Spelling";
constexpr const char* kTree = "HKEY_LOCAL_MACHINE\\Software\\Vantor\\Quillon\\Spelling";

// The engine library as the program loads it, the spell unit's calls installed in it.
struct Engine {
  Engine() {
    library = dlopen((qn::os::runningProgramFolder() + "/libssce5432.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    setTree = reinterpret_cast<SSCE_SetRegTreeNameFn>(dlsym(library, "SSCE_SetRegTreeName"));
    check = reinterpret_cast<SSCE_CheckCtrlDlgFn>(dlsym(library, "SSCE_CheckCtrlDlg"));
    editLex = reinterpret_cast<SSCE_EditLexDlgFn>(dlsym(library, "SSCE_EditLexDlg"));
    options = reinterpret_cast<SSCE_OptionsDlgFn>(dlsym(library, "SSCE_OptionsDlg"));
  }
  void* library;
  SSCE_SetRegTreeNameFn setTree;
  SSCE_CheckCtrlDlgFn check;
  SSCE_EditLexDlgFn editLex;
  SSCE_OptionsDlgFn options;
};

// A program folder as the demo's: the two pointer files and the engine's registry values.
class SpellEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(SpellEngineComponent(), nullptr) << "the spell unit has started";
    ASSERT_TRUE(engine.library);
    harness = std::make_unique<Harness>(*SpellEngineComponent());
    const auto aff = qn::spellengine::systemDictionary("en_US");
    ASSERT_TRUE(aff);
    folder = harness->folder();
    std::ofstream(folder + "/ssceam.tlx") << *aff << "\n";
    std::ofstream(folder + "/ssceam2.clx");
    qn::os::RegistryKey key(qn::os::HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.OpenKey(kKey, true));
    key.WriteString("MainLexPath", folder);
    key.WriteString("MainLexFiles", "ssceam.tlx,ssceam2.clx");
    key.WriteString("UserLexPath", folder);
    key.WriteString("UserLexFiles", "correct.tlx,userdic.tlx");
    key.WriteInteger("MemBudget", -1);
    key.WriteString("HelpFile", folder + "\\SSCE.hlp");
    engine.setTree(kTree);
    form = std::make_unique<TForm>(nullptr);
    rich = new TRichEdit(form.get());
    rich->SetParent(form.get());
  }
  void TearDown() override {
    form.reset();
    harness.reset();
  }

  void record() {
    spelltest::Stop stop;
    stop.word = SpellEngineComponent()->CurrentWord();
    harness->stops.push_back(stop);
  }

  std::vector<AnsiString> stopWords() const {
    std::vector<AnsiString> words;
    for (const auto& stop : harness->stops) words.push_back(stop.word);
    return words;
  }

  Engine engine;
  std::unique_ptr<Harness> harness;
  std::string folder;
  std::unique_ptr<TForm> form;
  TRichEdit* rich = nullptr;
};

TEST_F(SpellEngineTest, ACheckOfARichEditLeavesTheChosenSuggestionsInIt) {
  rich->SetText("Thiss is a tset.");
  std::deque<Step> script = {{daChange, "This", true, nullptr}, {daChange, "test", true, nullptr}};
  auto steps = std::make_shared<std::deque<Step>>(script);
  SpellEngineComponent()->OnMisspelledWord = [this, steps](TObject*) {
    spelltest::Stop stop;
    auto* dialog = harness->dialog;
    stop.word = dialog->captions[deNotFound];
    for (int i = 0; i < dialog->list->Items()->Count(); ++i) stop.suggestions.push_back((*dialog->list->Items())[i]);
    harness->stops.push_back(stop);
    QTimer::singleShot(0, QCoreApplication::instance(), [this, steps] {
      auto* dialog = harness->dialog;
      if (!dialog) return;
      if (steps->empty()) return dialog->dc->DoAction(daCancel);
      const Step step = steps->front();
      steps->pop_front();
      dialog->list->SetItemIndex(dialog->list->Items()->IndexOf(step.replacement));
      dialog->list->OnClick(dialog->list);
      dialog->dc->DoAction(step.action);
    });
  };
  engine.check(form->Handle(), rich->Handle(), 0);
  EXPECT_EQ(stopWords(), (std::vector<AnsiString>{"Thiss", "tset"}));
  EXPECT_EQ(rich->Text(), "This is a test.");
  EXPECT_FALSE(SpellEngineComponent()->Checking());
}

TEST_F(SpellEngineTest, AnAddedWordIsSavedInUserdicAndAnotherProgramKnowsIt) {
  rich->SetText("Whitcomb and Hale");
  harness->lastAction = daCancel;
  SpellEngineComponent()->OnMisspelledWord = [this](TObject*) {
    record();
    QTimer::singleShot(0, QCoreApplication::instance(), [this] { harness->dialog->dc->DoAction(daAdd); });
  };
  engine.check(form->Handle(), rich->Handle(), 0);
  EXPECT_EQ(stopWords(), (std::vector<AnsiString>{"Whitcomb"}));
  qn::os::IniFile userdic(folder + "/userdic.tlx");
  EXPECT_EQ(userdic.ReadString("Added", "IGN_ListCount", ""), "1");
  EXPECT_EQ(userdic.ReadString("Added", "IGN_0", ""), "Whitcomb");

  auto child = qn::os::startProcess(qn::os::runningProgramFolder() + "/qn-spell-check-child",
                                    {folder, kTree, "Whitcomb and Hale"});
  ASSERT_NE(child, nullptr);
  std::optional<std::uint32_t> code;
  for (int i = 0; i < 3000 && (code = child->exitCode()) == qn::os::STILL_ACTIVE; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(code, 0u) << "no stop in the other program";

  // And in this program's next check.
  harness->stops.clear();
  engine.check(form->Handle(), rich->Handle(), 0);
  EXPECT_TRUE(harness->stops.empty());
}

TEST_F(SpellEngineTest, AGoneControlOrACheckAlreadyRunningReturnsAtOnce) {
  rich->SetText("Thiss wrod");
  const std::uint32_t gone = [&] {
    TForm other(nullptr);
    auto* edit = new TRichEdit(&other);
    edit->SetParent(&other);
    return edit->Handle();
  }();
  engine.check(form->Handle(), gone, 0);
  EXPECT_TRUE(harness->stops.empty());

  auto* second = new TRichEdit(form.get());
  second->SetParent(form.get());
  second->SetText("wrod");
  std::int16_t answer = -1;
  SpellEngineComponent()->OnMisspelledWord = [&](TObject*) {
    record();
    if (harness->stops.size() == 1) answer = engine.check(form->Handle(), second->Handle(), 0);
    QTimer::singleShot(0, QCoreApplication::instance(), [this] { harness->dialog->dc->DoAction(daIgnore); });
  };
  engine.check(form->Handle(), rich->Handle(), 0);
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(stopWords(), (std::vector<AnsiString>{"Thiss", "wrod"})) << "the second call added no stop";
  EXPECT_EQ(second->Text(), "wrod");
  EXPECT_EQ(rich->Text(), "Thiss wrod");
}

TEST_F(SpellEngineTest, TheTwoSettingsDialogsOpenTheirPagesOnTheConfigurationBuiltFromTheRegistry) {
  std::vector<int> pages;
  std::vector<AnsiString> mains, users;
  SpellEngineComponent()->OnSetupCreate = [&](TObject*, TForm*& form) {
    auto* dialog = dynamic_cast<TConfigDialog*>(form);
    ASSERT_NE(dialog, nullptr);
    QTimer::singleShot(0, QCoreApplication::instance(), [&, dialog] {
      pages.push_back(dialog->Pages->PageIndex());
      if (pages.size() == 1) {
        for (int i = 0; i < dialog->MainList->Items()->Count(); ++i) mains.push_back((*dialog->MainList->Items())[i]);
        for (int i = 0; i < dialog->UserList->Items()->Count(); ++i) users.push_back((*dialog->UserList->Items())[i]);
        const QImage page = dialog->Window()->grab().toImage();
        EXPECT_TRUE(page.save(QString::fromStdString(qn::os::runningProgramFolder() + "/../screenshots/spell-config-dictionaries.png")));
      } else {
        const QImage page = dialog->Window()->grab().toImage();
        EXPECT_TRUE(page.save(QString::fromStdString(qn::os::runningProgramFolder() + "/../screenshots/spell-config-options.png")));
      }
      dialog->SetModalResult(mrCancel);
    });
  };
  engine.editLex(form->Handle());
  engine.options(form->Handle());
  EXPECT_EQ(pages, (std::vector<int>{0, 1}));
  ASSERT_FALSE(mains.empty());
  EXPECT_EQ(mains[0], "Hunspell en_US");
  EXPECT_EQ(users, (std::vector<AnsiString>{"correct.tlx", "userdic.tlx"}));
  qn::os::IniFile cfg(folder + "/VORLEX.CFG");
  EXPECT_TRUE(cfg.ReadBool("ssce", "ID", false)) << "the section built from the registry is written";
  EXPECT_EQ(cfg.ReadString("ssce", "UserIndex", ""), "1") << "userdic.tlx takes the added words";
  TVorlexSpell& spell = *SpellEngineComponent();
  ASSERT_NE(spell.ActiveUserDictionary(), nullptr);
  EXPECT_EQ(qn::os::extractFileName(spell.ActiveUserDictionary()->Path()), "userdic.tlx");
  EXPECT_EQ(spell.HelpFile, folder + "/SSCE.hlp");
}

TEST_F(SpellEngineTest, TheSettingsDialogsAreOwnedByTheCallersWindowAndGoWhenTheyClose) {
  std::vector<TComponent*> owners;
  std::vector<int> ownedWhileUp;
  SpellEngineComponent()->OnSetupCreate = [&](TObject*, TForm*& dialog) {
    owners.push_back(dialog->Owner());
    ownedWhileUp.push_back(form->ComponentCount());
    QTimer::singleShot(0, QCoreApplication::instance(), [dialog] { dialog->SetModalResult(mrCancel); });
  };
  const int before = form->ComponentCount();
  engine.options(form->Handle());
  EXPECT_EQ(form->ComponentCount(), before) << "the dialog is gone when it closes";
  engine.editLex(form->Handle());
  engine.options(0);
  auto gone = std::make_unique<TForm>(nullptr);
  const std::uint32_t stale = gone->Handle();
  gone.reset();
  engine.editLex(stale);
  TComponent* spell = SpellEngineComponent();
  EXPECT_EQ(owners, (std::vector<TComponent*>{form.get(), form.get(), spell, spell}));
  EXPECT_EQ(ownedWhileUp, (std::vector<int>{before + 1, before + 1, before, before}));
  EXPECT_EQ(form->ComponentCount(), before);
}

}  // namespace
