#pragma once
// The folders the printing choices reason about: which mapped drive holds a folder, the folder a
// report goes to when nothing else names one, and whether two program paths are one folder.
#include <optional>

#include "framework/base/AnsiString.h"

// The letter of the drive-map entry that holds the folder (the deepest when several do);
// nothing when none does.
std::optional<char> DriveHolding(const AnsiString& Folder);
// The root of the drive that holds the data folder, else the data folder itself - which the
// dialog refuses as a report folder, so the user picks one and nothing lands among the data.
AnsiString DataFolderDriveRoot();
// Whether two program paths name one folder, as the path service finds them: separators, a
// trailing separator and letter case do not matter.
bool SameFolder(const AnsiString& A, const AnsiString& B);
// Whether the drive answers: its letter is mapped to a folder that exists.
bool DriveReady(char Letter);
