#pragma once
// The suite's validation files (clients, matters, employees, group rates, code tables, employee
// rates) as a restore takes them from another folder or from a ZIP file, through the unzip program
// of the program folder.
#include <array>
#include <cstdint>

#include "framework/base/AnsiString.h"

// In the order they are copied.
inline constexpr std::array<const char*, 6> ValidationFileNames = {"YClient.qf", "YCase.qf",  "Yempl.qf",
                                                                   "Ygrate.qf",  "Ytable.qf", "Yemrt.qf"};

bool HoldsAllValidationFiles(const AnsiString& Folder);
// A validation folder holding fee or bill transactions is a working data folder: restoring over
// it would lose the codes its transactions name.
bool HoldsTransactionFiles(const AnsiString& Folder);
// Copies the six files into Target, overwriting, in their order; false at the first that fails.
bool CopyValidationFiles(const AnsiString& From, const AnsiString& Target);

// The unzip program of the program folder, as the restore checks it and starts it.
AnsiString UnzipProgramFile();
// Unzips ZipFile into Target (overwriting) and waits, the messages running, at most 60 s on the
// framework's clock, or until the application ends. The program's exit code; STILL_ACTIVE (259)
// when it ran too long, after it was ended so nothing writes Target any more; a code that is
// neither when it could not be started.
std::uint32_t RunUnzip(const AnsiString& ZipFile, const AnsiString& Target);
