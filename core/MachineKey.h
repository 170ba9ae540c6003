#pragma once
// Opening a settings key under HKEY_LOCAL_MACHINE the way every settings reader of the program
// does: a registry that cannot be used at all (a damaged hive) is reported to the user here, in
// the information box "Unable to open the registry at this time." followed by the caller's closing
// text, and never raised further.
#include "framework/base/AnsiString.h"
#include "platform/os/RegistryKey.h"

enum class KeyOpening { Opened, Missing, Unusable };

KeyOpening OpenMachineKey(qn::os::RegistryKey& Registry, const AnsiString& Key, bool CanCreate,
                          const AnsiString& Closing);
