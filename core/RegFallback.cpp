#include "core/RegFallback.h"

#include "core/Globals.h"
#include "framework/ui/Application.h"
#include "framework/base/StringList.h"
#include "platform/os/Paths.h"

bool ReadRegFallback(const AnsiString& Key, const AnsiString& Name, AnsiString& Value) {
  TComponent* mainForm = Application ? Application->MainForm() : nullptr;
  if (!mainForm || mainForm->Name() != "Form1") return false;

  StringList lines;
  try {
    lines.LoadFromFile(qn::os::resolvePath(ProgramDir + "/reg.tmp"));
  } catch (const std::exception&) {
    return false;
  }
  // The '=' belongs to the prefix so that a name never matches the line of a longer name that
  // begins with it.
  const AnsiString prefix = Key + "\\" + Name + "=";
  for (int i = 0; i < lines.Count(); ++i) {
    const AnsiString line = lines[i];
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    if (line.size() == prefix.size()) return false;
    Value = line.substr(prefix.size());
    return true;
  }
  return false;
}
