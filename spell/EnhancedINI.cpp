#include "spell/EnhancedINI.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string>
#include <string_view>

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
  // One pass over the section, whatever its count says: a damaged count of thousands of millions
  // is read as the entries the section holds, not looked for number by number.
  const AnsiString countKey = UpperCase(KeyBase + kCountSuffix);
  const AnsiString prefix = UpperCase(KeyBase) + "_";
  const AnsiString* count = nullptr;
  std::map<int, const AnsiString*> numbered;  // the first entry of each number
  for (const qn::os::IniEntry& entry : Entries) {
    const AnsiString name = UpperCase(entry.name);
    if (name == countKey) {
      if (!count) count = &entry.value;
      continue;
    }
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string_view digits = std::string_view(name).substr(prefix.size());
    int index = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    // Only the number as the list writes it: "U_DCT_01" is no entry of it.
    if (error != std::errc() || end != digits.data() + digits.size() || index < 0 || std::to_string(index) != digits)
      continue;
    numbered.emplace(index, &entry.value);
  }
  List.Clear();
  int n = 0;
  if (count) std::from_chars(count->data(), count->data() + count->size(), n);
  for (const auto& [index, value] : numbered) {
    if (index >= n) break;
    if (!value->empty()) List.Add(*value);
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
