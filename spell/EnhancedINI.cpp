#include "spell/EnhancedINI.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "framework/base/TextCase.h"
#include "framework/base/TextCompare.h"

namespace {

const char* const kCountSuffix = "_ListCount";

// Whether Key belongs to the list of KeyBase: the count or an entry with its number.
bool isListKey(const AnsiString& Key, const AnsiString& KeyBase) {
  if (SameText(Key, KeyBase + kCountSuffix)) return true;
  const AnsiString prefix = KeyBase + "_";
  if (Key.size() <= prefix.size() || !SameText(Key.substr(0, prefix.size()), prefix)) return false;
  return std::all_of(Key.begin() + static_cast<std::ptrdiff_t>(prefix.size()), Key.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

qn::os::IniEntries TEnhancedINI::ReadEntries(const AnsiString& Section) const {
  qn::os::IniEntries entries;
  for (const AnsiString& line : ReadSectionValues(Section)) {
    const size_t eq = line.find('=');
    entries.push_back({line.substr(0, eq), line.substr(eq + 1)});
  }
  return entries;
}

void TEnhancedINI::ReadList(const AnsiString& Section, const AnsiString& KeyBase, TStrings& List) const {
  GetList(ReadEntries(Section), KeyBase, List);
}

void TEnhancedINI::WriteList(const AnsiString& Section, const AnsiString& KeyBase, const TStrings& List) {
  RewriteSections({Section}, [&](std::vector<qn::os::IniEntries>& sections) { PutList(sections[0], KeyBase, List); });
}

void TEnhancedINI::GetList(const qn::os::IniEntries& Entries, const AnsiString& KeyBase, TStrings& List) {
  // One pass over the section: a list of thousands of words is read without a search per entry.
  std::unordered_map<AnsiString, const AnsiString*> values;
  for (const qn::os::IniEntry& entry : Entries) values.emplace(UpperCase(entry.name), &entry.value);
  List.Clear();
  auto count = values.find(UpperCase(KeyBase + kCountSuffix));
  int n = 0;
  if (count != values.end()) {
    const AnsiString& text = *count->second;
    std::from_chars(text.data(), text.data() + text.size(), n);
  }
  const AnsiString base = UpperCase(KeyBase) + "_";
  for (int i = 0; i < n; ++i) {
    auto found = values.find(base + std::to_string(i));
    if (found != values.end() && !found->second->empty()) List.Add(*found->second);
  }
}

void TEnhancedINI::PutList(qn::os::IniEntries& Entries, const AnsiString& KeyBase, const TStrings& List) {
  std::erase_if(Entries, [&](const qn::os::IniEntry& entry) { return isListKey(entry.name, KeyBase); });
  Entries.push_back({KeyBase + kCountSuffix, std::to_string(List.Count())});
  for (int i = 0; i < List.Count(); ++i) Entries.push_back({KeyBase + "_" + std::to_string(i), List[i]});
}

const AnsiString* TEnhancedINI::FindValue(const qn::os::IniEntries& Entries, const AnsiString& Key) {
  for (const qn::os::IniEntry& entry : Entries)
    if (SameText(entry.name, Key)) return &entry.value;
  return nullptr;
}

void TEnhancedINI::PutValue(qn::os::IniEntries& Entries, const AnsiString& Key, const AnsiString& Value) {
  for (qn::os::IniEntry& entry : Entries)
    if (SameText(entry.name, Key)) {
      entry.value = Value;
      return;
    }
  Entries.push_back({Key, Value});
}
