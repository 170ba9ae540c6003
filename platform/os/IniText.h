#pragma once
// The lines of a profile (INI) file and what each one is. Edits change, add or remove single
// lines, so what the program does not touch stays exactly as it was written.
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/base/AnsiString.h"

namespace qn::os {

// Whether a byte can stand in a profile file read as text: every control but tab, the line ends,
// form feed and the old end-of-file mark makes the file binary data.
bool readsAsText(unsigned char c);

struct IniLine {
  enum class Kind { Other, Section, Entry };  // Other: blank, comment, or text of no meaning
  Kind kind = Kind::Other;
  std::string text;  // the line as written
  AnsiString name;   // a section's or an entry's name, trimmed
  AnsiString value;  // an entry's value, trimmed
};

class IniText {
 public:
  // IniFileError naming source when the text holds binary data.
  IniText(std::string_view text, const std::string& source);

  std::string text() const;

  // The entry of that name in the first section of that name; nullptr when none.
  const IniLine* find(std::string_view section, std::string_view ident) const;
  // The first spelling of every section name, in file order.
  std::vector<AnsiString> sections() const;
  // The entries of every section of that name, in file order.
  std::vector<const IniLine*> entries(std::string_view section) const;
  bool hasSection(std::string_view section) const;

  // Names asked for are taken without the blanks around them, as the file's names are read.
  // IniFileError for a key whose line would not read as an entry.
  void set(std::string_view section, std::string_view ident, std::string_view value);
  // Replaces everything of the sections of that name by one section holding entries, where the
  // first of them stood (or at the end); blank lines that closed it stay. No entries: removed.
  // IniFileError for a key whose line would not read as an entry.
  void replaceSection(std::string_view section, const std::vector<std::pair<AnsiString, AnsiString>>& entries);
  // Both answer whether anything was removed.
  bool eraseSection(std::string_view section);
  bool eraseEntry(std::string_view section, std::string_view ident);

 private:
  // Calls f(index) for the lines of every section of that name (the headers not included).
  template <typename F>
  void forEachLineOf(std::string_view section, F f) const;

  // Drops the lines unwanted picks; inSection tells whether a line (a header included) belongs to
  // a section of that name.
  bool removeLines(const std::function<bool(const IniLine&, bool inSection)>& unwanted, std::string_view section);

  std::vector<IniLine> lines_;
  bool bom_ = false;  // kept: an editor that wrote one expects to find it again
  std::string lineEnd_ = "\n";
  bool finalLineEnd_ = true;
};

}  // namespace qn::os
