#pragma once
// The PDF report server's registration in the registry: the keys and values that promise where
// the server lies, written under HKEY_LOCAL_MACHINE's classes and then HKEY_CLASSES_ROOT, and the
// registered path read back. Only the registry is touched; telling the user is the caller's.
#include <string>

namespace qn::pdfserver {

// The server's path for a program folder: the folder in its short (8.3) form followed by
// "\PDFREPXP.DLL". A folder name longer than 8 characters, or with a blank or a '.', loses its
// blanks and becomes its first six characters, "~1" and its extension (from its first '.').
// A folder without any '\' is taken as it is.
std::string ServerPath(const std::string& programFolder);

struct RegistrationWrite {
  bool written = false;  // every key could be opened or created
  int valuesWritten = 0;
  bool raised = false;  // the registry itself failed (a damaged or unwritable hive), not a key
  std::string error;    // what stopped the writing; empty when none did
};

// Writes every key and value for the server in programFolder, in order. The first key that
// cannot be opened ends the writing; what was written stays.
RegistrationWrite WriteRegistration(const std::string& programFolder);

struct RegisteredPath {
  bool keyOpened = false;
  bool valueRead = false;
  std::string path;  // trimmed, at most 512 characters
};

// The path HKEY_LOCAL_MACHINE's class registration names; the key is only read.
RegisteredPath ReadRegisteredPath();

// The path HKEY_CLASSES_ROOT's registration names, where a client finds the server; empty when
// it names none.
std::string ClassesRootServerPath();

}  // namespace qn::pdfserver
