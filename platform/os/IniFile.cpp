#include "platform/os/IniFile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/os/AtomicFile.h"
#include <mutex>

#include "platform/os/LockFile.h"
#include "platform/os/Files.h"
#include "platform/os/IniText.h"
#include "platform/os/MachineRoot.h"
#include "platform/os/Paths.h"

namespace qn::os {
namespace {

// The file as it stands on disk; path is already resolved.
IniText load(const std::string& path) {
  try {
    std::optional<std::string> text = readWholeFile(path);
    return IniText(text ? *text : std::string(), path);
  } catch (const FileError& e) {
    throw IniFileError(std::string("The initialization file cannot be read: ") + e.what());
  }
}

// The lock of an INI file lives in the runtime folder, named after the file, so no lock files
// gather beside the program's INI files. Every name of one file must give one lock: the folder
// counts by its real path (whatever links or drive letter led to it) and the file's name without
// regard to case (ASCII letters, whatever the locale), as the path service finds it.
std::string lockPathOf(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, std::max<size_t>(slash, 1));
  std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
  if (char* real = ::realpath(folder.c_str(), nullptr)) {
    folder = real;
    std::free(real);
  } else if (folder[0] != '/') {
    folder = currentDirectory() + "/" + folder;
  }
  std::string identity = folder + "/";
  for (char c : name) identity += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  uint64_t hash = 14695981039346656037ull;  // FNV-1a: stable across processes and builds
  for (unsigned char c : identity) hash = (hash ^ c) * 1099511628211ull;
  char lockName[32];
  std::snprintf(lockName, sizeof lockName, "ini-%016llx.lock", static_cast<unsigned long long>(hash));
  return runtimeDir() + "/" + lockName;
}

// A line that holds a line end, a character that would end its part, or a byte the reader takes
// for binary data would lose the value, or every read of the file from then on.
void checkSingleLine(std::string_view what, std::string_view text, std::string_view forbidden) {
  if (text.find_first_of(forbidden) != std::string_view::npos ||
      !std::all_of(text.begin(), text.end(), [](char c) { return readsAsText(static_cast<unsigned char>(c)); }))
    throw IniFileError("Cannot write to an initialization file: the " + std::string(what) + " \"" + std::string(text) +
                       "\" holds a character its line cannot hold");
}

// Reads, changes and rewrites the file under its lock; change answers whether it changed anything.
template <typename F>
void change(const std::string& fileName, F f) {
  try {
    LockFile lockFile(lockPathOf(resolvePath(fileName)));
    std::lock_guard lock(lockFile);
    // Resolved again under the lock: a writer naming the file in other letters may have created
    // it meanwhile, and this change belongs in that file, not in a second one.
    const std::string path = resolvePath(fileName);
    removeStaleTemporaries(path);
    IniText text = load(path);
    if (f(text)) replaceFileContent(path, text.text());
  } catch (const FileError& e) {
    throw IniFileError(std::string("The initialization file cannot be written: ") + e.what());
  }
}

std::optional<int> parseInteger(std::string_view text) {
  bool negative = !text.empty() && text[0] == '-';
  if (negative || (!text.empty() && text[0] == '+')) text.remove_prefix(1);
  int base = 10;
  if (text.substr(0, 1) == "$") {
    base = 16;
    text.remove_prefix(1);
  } else if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") {
    base = 16;
    text.remove_prefix(2);
  }
  int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

AnsiString IniFile::ReadString(std::string_view section, std::string_view ident, std::string_view defaultValue) const {
  IniText text = load(resolvePath(fileName_));
  const IniLine* line = text.find(section, ident);
  return line ? line->value : AnsiString(defaultValue);
}

int IniFile::ReadInteger(std::string_view section, std::string_view ident, int defaultValue) const {
  std::optional<int> value = parseInteger(ReadString(section, ident, ""));
  return value ? *value : defaultValue;
}

bool IniFile::ReadBool(std::string_view section, std::string_view ident, bool defaultValue) const {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
  checkSingleLine("section", section, "\r\n]");
  checkSingleLine("key", ident, "\r\n=");
  checkSingleLine("value", value, "\r\n");
  change(fileName_, [&](IniText& text) {
    text.set(section, ident, value);
    return true;
  });
}

void IniFile::WriteInteger(std::string_view section, std::string_view ident, int value) {
  WriteString(section, ident, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

std::vector<AnsiString> IniFile::ReadSections() const { return load(resolvePath(fileName_)).sections(); }

std::vector<AnsiString> IniFile::ReadSection(std::string_view section) const {
  // Named: the lines the entries point into must outlive the loop.
  const IniText text = load(resolvePath(fileName_));
  std::vector<AnsiString> names;
  for (const IniLine* line : text.entries(section)) names.push_back(line->name);
  return names;
}

std::vector<AnsiString> IniFile::ReadSectionValues(std::string_view section) const {
  const IniText text = load(resolvePath(fileName_));
  std::vector<AnsiString> lines;
  for (const IniLine* line : text.entries(section))
    lines.push_back(line->name + "=" + line->value);
  return lines;
}

bool IniFile::SectionExists(std::string_view section) const { return load(resolvePath(fileName_)).hasSection(section); }

bool IniFile::ValueExists(std::string_view section, std::string_view ident) const {
  return load(resolvePath(fileName_)).find(section, ident) != nullptr;
}

void IniFile::RewriteSections(const std::vector<std::string>& sections,
                              const std::function<void(std::vector<IniEntries>&)>& edit) {
  for (const std::string& section : sections) checkSingleLine("section", section, "\r\n]");
  change(fileName_, [&](IniText& text) {
    std::vector<IniEntries> lists;
    for (const std::string& section : sections) {
      IniEntries& entries = lists.emplace_back();
      for (const IniLine* line : text.entries(section)) entries.push_back({line->name, line->value});
    }
    const std::vector<IniEntries> before = lists;
    edit(lists);
    if (lists == before) return false;
    for (const IniEntries& entries : lists)
      for (const IniEntry& entry : entries) {
        checkSingleLine("key", entry.name, "\r\n=");
        checkSingleLine("value", entry.value, "\r\n");
      }
    for (size_t i = 0; i < sections.size(); ++i) {
      std::vector<std::pair<AnsiString, AnsiString>> pairs;
      for (const IniEntry& entry : lists[i]) pairs.emplace_back(entry.name, entry.value);
      text.replaceSection(sections[i], pairs);
    }
    return true;
  });
}

void IniFile::EraseSection(std::string_view section) {
  change(fileName_, [&](IniText& text) { return text.eraseSection(section); });
}

void IniFile::DeleteKey(std::string_view section, std::string_view ident) {
  change(fileName_, [&](IniText& text) { return text.eraseEntry(section, ident); });
}

}  // namespace qn::os
