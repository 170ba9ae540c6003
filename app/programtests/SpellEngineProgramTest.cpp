// The spell engine as the program loads it: the spell unit has installed its dialogs, so a check
// through the engine's entry point stops on an unknown word.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <fstream>

#include "core/SpellEngine.h"
#include "framework/ui/Form.h"
#include "framework/ui/RichEdit.h"
#include "framework/ui/testing/QtTestApplication.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/RegistryKey.h"
#include "platform/spellengine/SystemDictionaries.h"
#include "spell/DialogControl.h"
#include "spell/SpellEngineComponent.h"
#include "spell/VorlexSpell.h"
#include "testing/TestDirs.h"

namespace {

TEST(SpellEngineInProgram, ACheckThroughTheLoadedEngineStopsOnAnUnknownWord) {
  qn::ui::testing::qtApplication();
  const SpellEngineCalls* engine = LoadedSpellEngine();
  ASSERT_NE(engine, nullptr);
  ASSERT_NE(engine->InstallDialogs, nullptr);
  TVorlexSpell* spell = SpellEngineComponent();
  ASSERT_NE(spell, nullptr) << "the spell unit started with the program's units";

  const std::string folder = qn::testing::makeScratchDir("spell-program");
  qn::os::ExecutablePathOverride program(folder + "/qncases");
  const auto aff = qn::spellengine::systemDictionary("en_US");
  ASSERT_TRUE(aff);
  std::ofstream(folder + "/ssceam.tlx") << *aff << "\n";
  const std::string key = "Software\\Vantor\\Quillon\\SpellingCheckTest";
  qn::os::RegistryKey values(qn::os::HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(values.OpenKey(key, true));
  values.WriteString("MainLexPath", folder);
  values.WriteString("MainLexFiles", "ssceam.tlx");
  values.WriteString("UserLexPath", folder);
  values.WriteString("UserLexFiles", "userdic.tlx");
  const std::string told = engine->RegistryTree ? engine->RegistryTree() : "";
  engine->SetRegTreeName(("HKEY_LOCAL_MACHINE\\" + key).c_str());

  std::vector<AnsiString> stops;
  spell->OnMisspelledWord = [&](TObject*) {
    stops.push_back(spell->CurrentWord());
    QTimer::singleShot(0, QCoreApplication::instance(), [spell] { spell->DialogControl()->DoAction(daCancel); });
  };
  TForm form(nullptr);
  auto* rich = new TRichEdit(&form);
  rich->SetParent(&form);
  rich->SetText("The docket is ful");
  engine->CheckCtrlDlg(form.Handle(), rich->Handle(), 0);
  spell->OnMisspelledWord = nullptr;
  engine->SetRegTreeName(told.c_str());
  EXPECT_EQ(stops, (std::vector<AnsiString>{"ful"}));
  EXPECT_EQ(rich->Text(), "The docket is ful");
}

}  // namespace
