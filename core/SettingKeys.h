#pragma once
// Where the program keeps its settings: keys under HKEY_LOCAL_MACHINE.
#include "framework/base/AnsiString.h"

inline const AnsiString HostKey = "\\Software\\Vantor\\Quillon\\Host";
// The suite's other programs: one value per program, its file name in the program folder.
inline const AnsiString ProgramsKey = "\\Software\\Vantor\\Quillon\\Programs";
inline const AnsiString RemoteKey = "\\Software\\Vantor\\Quillon\\Remote";
inline const AnsiString SpellingKey = "\\Software\\Vantor\\Quillon\\Spelling";
// The record manager's data aliases: the main data, the remote data, the case manager's data.
inline const AnsiString MainAliasKey = "\\Software\\Korvo\\Btrieve\\Aliases\\QNWIN";
inline const AnsiString RemoteAliasKey = "\\Software\\Korvo\\Btrieve\\Aliases\\QNWMAS";
inline const AnsiString CaseManagerAliasKey = "\\Software\\Korvo\\Btrieve\\Aliases\\QNMNGR";
