#include "core/MachineKey.h"

#include "core/MessageBoxes.h"

KeyOpening OpenMachineKey(qn::os::RegistryKey& Registry, const AnsiString& Key, bool CanCreate,
                          const AnsiString& Closing) {
  try {
    Registry.SetRootKey(qn::os::HKEY_LOCAL_MACHINE);
    return Registry.OpenKey(Key, CanCreate) ? KeyOpening::Opened : KeyOpening::Missing;
  } catch (const qn::os::RegistryError&) {
    ShowInformationBox("Unable to open the registry at this time." + Closing);
    return KeyOpening::Unusable;
  }
}
