#include "platform/os/IniText.h"

#include <optional>

#include "platform/os/IniFile.h"
#include "platform/os/NameCompare.h"

namespace qn::os {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

IniLine classify(std::string text) {
  IniLine line;
  std::string_view t = trimmed(text);
  if (!t.empty() && t[0] == '[') {
    size_t close = t.find(']');
    line.kind = IniLine::Kind::Section;
    line.name = trimmed(t.substr(1, close == std::string_view::npos ? t.npos : close - 1));
  } else if (!t.empty() && t[0] != ';') {
    size_t eq = t.find('=');
    if (eq != std::string_view::npos && !trimmed(t.substr(0, eq)).empty()) {
      line.kind = IniLine::Kind::Entry;
      line.name = trimmed(t.substr(0, eq));
      line.value = trimmed(t.substr(eq + 1));
    }
  }
  line.text = std::move(text);
  return line;
}

// A line for such a key would read as a blank line, a comment or a section: the value would be
// lost, and a section the file never had would appear.
void checkReadableKey(std::string_view ident) {
  if (ident.empty() || ident[0] == '[' || ident[0] == ';')
    throw IniFileError("Cannot write to an initialization file: the key \"" + std::string(ident) +
                       "\" cannot be read back");
}

IniLine entryLine(std::string_view name, std::string_view value) {
  return classify(std::string(name) + "=" + std::string(value));
}

}  // namespace

bool readsAsText(unsigned char c) { return c >= 0x20 || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == 0x1A; }

IniText::IniText(std::string_view text, const std::string& source) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    bom_ = true;
    text.remove_prefix(3);
  }
  int number = 1;
  for (char c : text) {
    if (c == '\n') ++number;
    if (!readsAsText(static_cast<unsigned char>(c)))
      throw IniFileError("The file " + source + " holds binary data at line " + std::to_string(number) +
                         "; it is not read as an initialization file.");
  }
  if (text.find("\r\n") != std::string_view::npos) lineEnd_ = "\r\n";
  finalLineEnd_ = text.empty() || text.back() == '\n';
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(classify(std::string(line)));
    start = end + 1;
  }
}

std::string IniText::text() const {
  std::string out = bom_ ? "\xEF\xBB\xBF" : "";
  for (size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i].text;
    if (i + 1 < lines_.size() || finalLineEnd_) out += lineEnd_;
  }
  return out;
}

template <typename F>
void IniText::forEachLineOf(std::string_view section, F f) const {
  section = trimmed(section);
  bool inside = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == IniLine::Kind::Section)
      inside = sameNameWithoutCase(lines_[i].name, section);
    else if (inside)
      f(i);
  }
}

const IniLine* IniText::find(std::string_view section, std::string_view ident) const {
  ident = trimmed(ident);
  const IniLine* found = nullptr;
  forEachLineOf(section, [&](size_t i) {
    if (!found && lines_[i].kind == IniLine::Kind::Entry && sameNameWithoutCase(lines_[i].name, ident))
      found = &lines_[i];
  });
  return found;
}

std::vector<AnsiString> IniText::sections() const {
  std::vector<AnsiString> names;
  for (const IniLine& line : lines_) {
    if (line.kind != IniLine::Kind::Section) continue;
    bool seen = false;
    for (const AnsiString& n : names) seen = seen || sameNameWithoutCase(n, line.name);
    if (!seen) names.push_back(line.name);
  }
  return names;
}

std::vector<const IniLine*> IniText::entries(std::string_view section) const {
  std::vector<const IniLine*> found;
  forEachLineOf(section, [&](size_t i) {
    if (lines_[i].kind == IniLine::Kind::Entry) found.push_back(&lines_[i]);
  });
  return found;
}

bool IniText::hasSection(std::string_view section) const {
  section = trimmed(section);
  for (const IniLine& line : lines_)
    if (line.kind == IniLine::Kind::Section && sameNameWithoutCase(line.name, section)) return true;
  return false;
}

void IniText::set(std::string_view section, std::string_view ident, std::string_view value) {
  section = trimmed(section);
  ident = trimmed(ident);
  checkReadableKey(ident);
  if (IniLine* line = const_cast<IniLine*>(find(section, ident))) {
    *line = entryLine(line->name, value);  // the key keeps the spelling it has in the file
    return;
  }
  // A new key goes after the last entry of the section's first occurrence.
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind != IniLine::Kind::Section || !sameNameWithoutCase(lines_[i].name, section)) continue;
    size_t at = i + 1;
    for (size_t j = i + 1; j < lines_.size() && lines_[j].kind != IniLine::Kind::Section; ++j)
      if (lines_[j].kind == IniLine::Kind::Entry) at = j + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), entryLine(ident, value));
    return;
  }
  if (!lines_.empty() && !trimmed(lines_.back().text).empty()) lines_.push_back(classify(""));
  lines_.push_back(classify("[" + std::string(section) + "]"));
  lines_.push_back(entryLine(ident, value));
  finalLineEnd_ = true;
}

void IniText::replaceSection(std::string_view section,
                             const std::vector<std::pair<AnsiString, AnsiString>>& entries) {
  section = trimmed(section);
  std::vector<IniLine> kept;
  std::vector<IniLine> closing;  // the blank lines that end the section's first occurrence
  std::optional<size_t> at;
  AnsiString spelling(section);
  bool inside = false, inFirst = false;
  for (IniLine& line : lines_) {
    if (line.kind == IniLine::Kind::Section) {
      inside = sameNameWithoutCase(line.name, section);
      inFirst = inside && !at;
      if (inFirst) {
        at = kept.size();
        spelling = line.name;
      }
    }
    if (!inside)
      kept.push_back(std::move(line));
    else if (inFirst && line.kind == IniLine::Kind::Other && trimmed(line.text).empty())
      closing.push_back(std::move(line));
    else if (inFirst)
      closing.clear();
  }
  std::vector<IniLine> block;
  if (!entries.empty()) {
    if (!at && !kept.empty() && !trimmed(kept.back().text).empty()) block.push_back(classify(""));
    block.push_back(classify("[" + spelling + "]"));
    for (const auto& [name, value] : entries) {
      checkReadableKey(trimmed(name));
      block.push_back(entryLine(trimmed(name), value));
    }
    for (IniLine& line : closing) block.push_back(std::move(line));
  }
  const size_t where = at ? *at : kept.size();
  kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(where), std::make_move_iterator(block.begin()),
              std::make_move_iterator(block.end()));
  lines_ = std::move(kept);
  if (!at && !entries.empty()) finalLineEnd_ = true;
}

bool IniText::eraseSection(std::string_view section) {
  return removeLines([&](const IniLine&, bool inSection) { return inSection; }, section);
}

bool IniText::eraseEntry(std::string_view section, std::string_view ident) {
  ident = trimmed(ident);
  return removeLines(
      [&](const IniLine& line, bool inSection) {
        return inSection && line.kind == IniLine::Kind::Entry && sameNameWithoutCase(line.name, ident);
      },
      section);
}

bool IniText::removeLines(const std::function<bool(const IniLine&, bool inSection)>& unwanted,
                          std::string_view section) {
  section = trimmed(section);
  std::vector<IniLine> kept;
  bool inside = false;
  for (IniLine& line : lines_) {
    if (line.kind == IniLine::Kind::Section) inside = sameNameWithoutCase(line.name, section);
    if (!unwanted(line, inside)) kept.push_back(std::move(line));
  }
  bool removed = kept.size() != lines_.size();
  lines_ = std::move(kept);
  return removed;
}

}  // namespace qn::os
