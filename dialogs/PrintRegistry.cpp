#include "dialogs/PrintRegistry.h"

#include "core/Constants.h"
#include "core/MessageBoxes.h"
#include "core/SettingKeys.h"
#include "framework/base/Strings.h"
#include "platform/os/RegistryKey.h"

namespace {

const AnsiString DataPathKey = HostKey + "\\H_Data";
const AnsiString RegistryFailedText = "Unable to open the registry at this time." + CallSupportText;

AnsiString readValue(const AnsiString& key, const AnsiString& name) {
  try {
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE, qn::os::KEY_READ);
    if (registry.OpenKeyReadOnly(key)) return registry.ReadString(name);
    ShowErrorBox("Unable to read the '" + name + "' value from the registry at this time." + CallSupportText);
  } catch (const qn::os::RegistryError&) {
    ShowErrorBox(RegistryFailedText);
  }
  return "";
}

}  // namespace

AnsiString RegReadHostValue(const AnsiString& Name) { return readValue(HostKey, Name); }

AnsiString RegReadDataPathValue(const AnsiString& Name) { return readValue(DataPathKey, Name); }

bool RegWriteHostValue(const AnsiString& Name, const AnsiString& Value) {
  try {
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
    if (registry.OpenKey(HostKey, false)) {
      registry.WriteString(Name, Value);
      return true;
    }
  } catch (const qn::os::RegistryError&) {
  }
  ShowErrorBox("Unable to reset the '" + Name + "' value at this time." + CallSupportText);
  return false;
}

bool RegListDataPathValues(TStrings* List) {
  List->Clear();
  try {
    qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE, qn::os::KEY_READ);
    if (!registry.OpenKeyReadOnly(DataPathKey)) {
      ShowErrorBox("Unable to open registry key  \\Software\\Vantor\\Quillon\\Host\\H_Data   at this time." +
                   CallSupportText);
      return false;
    }
    for (const AnsiString& name : registry.GetValueNames()) List->Add(name);
    return true;
  } catch (const qn::os::RegistryError&) {
    ShowErrorBox(RegistryFailedText);
    return false;
  }
}
