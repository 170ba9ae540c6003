#pragma once
// An INI file that also stores string lists: the list of key base B is the key B + "_ListCount"
// with the number of entries and the keys B + "_" + i (i from 0), one entry each. Reading skips
// empty entries. The list helpers on a section's entries let a writer change several lists and
// values of a section in one rewrite of the file.
#include "framework/base/Strings.h"
#include "platform/os/IniFile.h"

class TEnhancedINI : public qn::os::IniFile {
 public:
  using qn::os::IniFile::IniFile;

  // Replaces List's lines by the stored list (empty when there is none).
  void ReadList(const AnsiString& Section, const AnsiString& KeyBase, TStrings& List) const;
  // Replaces the stored list by List's lines, in one rewrite; the section's other keys stay.
  void WriteList(const AnsiString& Section, const AnsiString& KeyBase, const TStrings& List);
  // The section's entries, as RewriteSections hands them over.
  qn::os::IniEntries ReadEntries(const AnsiString& Section) const;

  // The list of KeyBase among a section's entries.
  static void GetList(const qn::os::IniEntries& Entries, const AnsiString& KeyBase, TStrings& List);
  // Takes the keys of KeyBase's list out of Entries and appends List's.
  static void PutList(qn::os::IniEntries& Entries, const AnsiString& KeyBase, const TStrings& List);
  // The value of a key among a section's entries (names compared without case); nullptr if none.
  static const AnsiString* FindValue(const qn::os::IniEntries& Entries, const AnsiString& Key);
  // Sets a key's value among a section's entries, appending it when it is missing.
  static void PutValue(qn::os::IniEntries& Entries, const AnsiString& Key, const AnsiString& Value);
};
