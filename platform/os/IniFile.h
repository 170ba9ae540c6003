#pragma once
// A profile (INI) file as the program uses it: [sections] of name=value lines. Section and key
// names compare without case and without the blanks around them; listings keep the file's
// spelling; a value is kept as written, commas and quotes included (only the blanks around it
// are dropped). Every read takes the file as it is on disk and every change rewrites it
// atomically under a lock, so programs sharing the file see each other's changes; lines a change
// does not touch (comments too) stay as they are.
// A missing file reads as empty; a file that cannot be read or holds binary data raises
// IniFileError. The operations carry the names the program calls them by.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/base/AnsiString.h"
#include "platform/os/OsError.h"

namespace qn::os {

class IniFileError : public OsError {
 public:
  using OsError::OsError;
};

// One name=value line of a section, as RewriteSections hands it over.
struct IniEntry {
  AnsiString name;
  AnsiString value;
  bool operator==(const IniEntry&) const = default;
};
using IniEntries = std::vector<IniEntry>;

class IniFile {
 public:
  // A program path, resolved through the path service at each use.
  explicit IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  AnsiString ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue) const;
  // A value that is not a number (decimal, or hexadecimal after "$" or "0x") gives the default.
  int ReadInteger(std::string_view section, std::string_view ident, int defaultValue) const;
  // Read as an integer: true when not zero.
  bool ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const;

  void WriteString(std::string_view section, std::string_view ident, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view ident, int value);
  void WriteBool(std::string_view section, std::string_view ident, bool value);  // "1" or "0"

  std::vector<AnsiString> ReadSections() const;
  std::vector<AnsiString> ReadSection(std::string_view section) const;        // the key names
  std::vector<AnsiString> ReadSectionValues(std::string_view section) const;  // "name=value" lines
  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view ident) const;

  // Reads the entries of each named section (in file order; sections of one name joined), lets
  // edit change them, and writes each list back as its section's whole content: all under the
  // file's lock and in one atomic replace, so a writer that changes many keys, or merges its
  // changes into what another program wrote meanwhile, makes one rewrite and loses nothing.
  // edit gets one list per name, in the order given. Comments inside a rewritten section go; a
  // section left empty is removed. A name or value its line cannot hold raises IniFileError and
  // leaves the file as it was.
  void RewriteSections(const std::vector<std::string>& sections,
                       const std::function<void(std::vector<IniEntries>&)>& edit);

  void EraseSection(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view ident);

 private:
  std::string fileName_;
};

}  // namespace qn::os
