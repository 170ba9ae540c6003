#pragma once
// The program's named settings in the registry (SettingKeys.h). Names map to keys and values by
// fixed prefixes; every failure is told to the user in an information box and answered with empty
// text or false, never raised.
//
// ReadSetting, alias flag set: "REMOTE..." the remote alias's PhysicalName, "CMDATA..." the case
// manager alias's PhysicalName, any other name that value of the main alias. Flag clear:
// "REMOTE..." and "APRINTER..." the Remote key's AuditPrinter, "BPRINTER..." its BatchPrinter,
// "PRINTEROPTS..." its BatchPrintOptions, any other name that value of the Host key. Prefixes
// compare with case.
// WriteSetting: a name with "PRINTER" from its second character goes to the Remote key (first
// letter 'A' AuditPrinter, 'P' BatchPrintOptions, else BatchPrinter); any other to the Host key.
#include "framework/base/AnsiString.h"

// A missing value of an existing key reads as empty text without a message. When the key does
// not open, reg.tmp is asked (RegFallback.h) before the failure is reported.
AnsiString ReadSetting(const AnsiString& Name, bool AliasFlag);
bool WriteSetting(const AnsiString& Name, const AnsiString& Value);

// The Spelling key; reading creates it when missing, writing does not.
AnsiString ReadSpellingSetting(const AnsiString& Name);
bool WriteSpellingSetting(const AnsiString& Name, const AnsiString& Value);
bool WriteSpellingInteger(const AnsiString& Name, int Value);
