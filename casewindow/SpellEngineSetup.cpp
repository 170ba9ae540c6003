#include "casewindow/SpellEngineSetup.h"

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/SpellEngine.h"
#include "framework/base/TextCase.h"
#include "framework/ui/Dialogs.h"
#include "platform/os/Files.h"

namespace {

bool spellFilesPresent() {
  for (const char* file : {"\\ssceam.tlx", "\\ssceam2.clx", "\\SSCE.hlp"})
    if (!qn::os::fileExists(ProgramDir + file)) return false;
  return true;
}

// Stops at the first write that fails (its message shown); the help file goes last.
void storeSpellSettings() {
  WriteSpellingSetting("MainLexPath", ProgramDir) && WriteSpellingSetting("MainLexFiles", "ssceam.tlx,ssceam2.clx") &&
      WriteSpellingSetting("UserLexPath", ProgramDir) &&
      WriteSpellingSetting("UserLexFiles", "correct.tlx,userdic.tlx") && WriteSpellingInteger("MemBudget", -1) &&
      WriteSpellingSetting("HelpFile", ProgramDir + "\\SSCE.hlp");
}

}  // namespace

void SetupSpellEngine() {
  const AnsiString storedPath = ReadSpellingSetting("MainLexPath");
  if (storedPath.empty()) {
    if (!spellFilesPresent())
      MessageDlg(SpellFilesMissingText(), mtWarning, {mbOK}, 0);
    storeSpellSettings();
  } else if (spellFilesPresent() && UpperCase(storedPath) != UpperCase(ProgramDir)) {
    storeSpellSettings();
  }
  if (const SpellEngineCalls* engine = LoadedSpellEngine()) engine->SetRegTreeName(SpellingRegistryTree);
}
