#include "spell/EngineConfiguration.h"

#include <vector>

#include "framework/base/StringList.h"
#include "framework/base/TextCase.h"
#include "platform/os/ExecutablePath.h"
#include "platform/os/Paths.h"
#include "platform/os/RegistryKey.h"
#include "spell/DictionaryTitle.h"
#include "spell/EnhancedINI.h"
#include "spell/VorlexSpell.h"

namespace {

constexpr const char* kMachineHive = "HKEY_LOCAL_MACHINE\\";

AnsiString programFile(const AnsiString& folder, const AnsiString& name) {
  return qn::os::resolvePath(folder + "\\" + name);
}

std::vector<AnsiString> commaList(const AnsiString& text) {
  StringList list;
  list.SetCommaText(text);
  std::vector<AnsiString> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
  return items;
}

}  // namespace

SpellEngineSettings ReadSpellEngineSettings(const AnsiString& RegistryTree) {
  SpellEngineSettings settings;
  if (UpperCase(RegistryTree.substr(0, std::string(kMachineHive).size())) != kMachineHive) return settings;
  qn::os::RegistryKey key(qn::os::HKEY_LOCAL_MACHINE, qn::os::KEY_READ);
  if (!key.OpenKeyReadOnly(RegistryTree.substr(std::string(kMachineHive).size()))) return settings;
  auto read = [&](const char* name) { return key.ValueExists(name) ? key.ReadString(name) : AnsiString(); };
  settings.MainLexPath = read("MainLexPath");
  settings.MainLexFiles = read("MainLexFiles");
  settings.UserLexPath = read("UserLexPath");
  settings.UserLexFiles = read("UserLexFiles");
  const AnsiString help = read("HelpFile");
  settings.HelpFile = help.empty() ? help : AnsiString(qn::os::resolvePath(help));
  return settings;
}

void PrepareEngineConfiguration(TVorlexSpell& Spell, const SpellEngineSettings& Settings) {
  if (!Settings.HelpFile.empty()) Spell.HelpFile = Settings.HelpFile;
  const AnsiString path = qn::os::executableFolder() + "/" + Spell.ConfigFileName();
  bool present = false;
  try {
    present = TEnhancedINI(path).ReadBool(Spell.ConfigKey(), "ID", false);
  } catch (const std::exception&) {
  }
  if (!present && !Settings.MainLexPath.empty()) {
    TConfiguration target(path, Spell.DefaultOptions(), Spell.DefaultUser(), Spell.DefaultMain(), Spell.ConfigKey());
    target.Mains().clear();
    target.Users().clear();
    for (const AnsiString& name : commaList(Settings.MainLexFiles)) {
      const AnsiString file = programFile(Settings.MainLexPath, name);
      target.Mains().push_back({file, true, DictionaryTitle(file)});
    }
    target.SetUserIndex(-1);
    for (const AnsiString& name : commaList(Settings.UserLexFiles)) {
      if (LowerCase(name) == "userdic.tlx") target.SetUserIndex(static_cast<int>(target.Users().size()));
      target.Users().push_back({programFile(Settings.UserLexPath, name), true});
    }
    target.SetOptions(Spell.DefaultOptions());
    target.SetModified(true);
    target.Save();
  }
  Spell.ReloadConfiguration();
}
