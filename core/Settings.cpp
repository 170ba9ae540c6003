#include "core/Settings.h"

#include <functional>
#include <optional>

#include "core/Constants.h"
#include "core/MachineKey.h"
#include "core/MessageBoxes.h"
#include "core/RegFallback.h"
#include "core/SettingKeys.h"

using qn::os::RegistryError;
using qn::os::RegistryKey;

namespace {

struct SettingPlace {
  AnsiString key;
  AnsiString valueName;
};

bool beginsWith(const AnsiString& name, const AnsiString& prefix) { return name.compare(0, prefix.size(), prefix) == 0; }

SettingPlace readPlace(const AnsiString& name, bool aliasFlag) {
  if (aliasFlag) {
    if (beginsWith(name, "REMOTE")) return {RemoteAliasKey, "PhysicalName"};
    if (beginsWith(name, "CMDATA")) return {CaseManagerAliasKey, "PhysicalName"};
    return {MainAliasKey, name};
  }
  if (beginsWith(name, "REMOTE")) return {RemoteKey, "AuditPrinter"};
  if (beginsWith(name, "BPRINTER")) return {RemoteKey, "BatchPrinter"};
  if (beginsWith(name, "APRINTER")) return {RemoteKey, "AuditPrinter"};
  if (beginsWith(name, "PRINTEROPTS")) return {RemoteKey, "BatchPrintOptions"};
  return {HostKey, name};
}

SettingPlace writePlace(const AnsiString& name) {
  if (name.size() < 8 || name.compare(1, 7, "PRINTER") != 0) return {HostKey, name};
  switch (name[0]) {
    case 'A': return {RemoteKey, "AuditPrinter"};
    case 'P': return {RemoteKey, "BatchPrintOptions"};
    default: return {RemoteKey, "BatchPrinter"};
  }
}

// Opens key and reads the string value name. Empty when the key does not open (nothing shown yet);
// empty text when the read failed (the failure shown).
std::optional<AnsiString> readValue(const AnsiString& key, bool canCreate, const AnsiString& name,
                                    const AnsiString& failure) {
  RegistryKey registry;
  switch (OpenMachineKey(registry, key, canCreate, ContactSupportText)) {
    case KeyOpening::Unusable: return AnsiString();
    case KeyOpening::Missing: return std::nullopt;
    case KeyOpening::Opened: break;
  }
  try {
    return registry.ReadString(name);
  } catch (const RegistryError&) {
    ShowInformationBox(failure);
    return AnsiString();
  }
}

// Opens key and runs write on it; any failure shows failure and answers false.
bool writeValue(const AnsiString& key, const AnsiString& failure, const std::function<void(RegistryKey&)>& write) {
  RegistryKey registry;
  switch (OpenMachineKey(registry, key, false, ContactSupportText)) {
    case KeyOpening::Unusable: return false;
    case KeyOpening::Missing: ShowInformationBox(failure); return false;
    case KeyOpening::Opened: break;
  }
  try {
    write(registry);
    return true;
  } catch (const RegistryError&) {
    ShowInformationBox(failure);
    return false;
  }
}

AnsiString resetFailure(const AnsiString& name) {
  return "Unable to reset the '" + name + "' value at this time." + ContactSupportText;
}

}  // namespace

AnsiString ReadSetting(const AnsiString& Name, bool AliasFlag) {
  const SettingPlace place = readPlace(Name, AliasFlag);
  const AnsiString failure =
      "Not able to read the '" + place.valueName + "' value from the registry at this time." + ContactSupportText;
  if (std::optional<AnsiString> value = readValue(place.key, false, place.valueName, failure)) return *value;
  AnsiString value;
  if (ReadRegFallback(place.key, place.valueName, value)) return value;
  ShowInformationBox(failure);
  return {};
}

bool WriteSetting(const AnsiString& Name, const AnsiString& Value) {
  const SettingPlace place = writePlace(Name);
  const AnsiString failure = place.key == RemoteKey
                                 ? "Unable to reset the remote default printer value at this time." + ContactSupportText
                                 : resetFailure(Name);
  return writeValue(place.key, failure, [&](RegistryKey& registry) { registry.WriteString(place.valueName, Value); });
}

AnsiString ReadSpellingSetting(const AnsiString& Name) {
  const AnsiString failure =
      "Unable to read the '" + Name + "' value from the spell checker registry at this time." + ContactSupportText;
  if (std::optional<AnsiString> value = readValue(SpellingKey, true, Name, failure)) return *value;
  ShowInformationBox(failure);
  return {};
}

bool WriteSpellingSetting(const AnsiString& Name, const AnsiString& Value) {
  return writeValue(SpellingKey, resetFailure(Name), [&](RegistryKey& registry) { registry.WriteString(Name, Value); });
}

bool WriteSpellingInteger(const AnsiString& Name, int Value) {
  return writeValue(SpellingKey, resetFailure(Name), [&](RegistryKey& registry) { registry.WriteInteger(Name, Value); });
}
