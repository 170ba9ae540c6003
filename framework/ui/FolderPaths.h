#pragma once
// How the file controls take program paths apart and put them together: '\' and '/' both
// separate, a leading "X:" is a drive, and a path that uses '\' or a drive goes on with '\'.
#include <vector>

#include "framework/base/AnsiString.h"

namespace qn::ui {

// The folder and a name in it joined by one separator; the name alone for an empty folder.
AnsiString joinFolderAndName(const AnsiString& folder, const AnsiString& name);

// The folders from the root down to folder itself, each as a whole path, and the name each shows
// ("C:\" and "/" for the roots): "C:\data\sub" gives "C:\", "C:\data", "C:\data\sub".
struct FolderStep {
  AnsiString path;
  AnsiString name;
};
std::vector<FolderStep> foldersDownTo(const AnsiString& folder);

}  // namespace qn::ui
