#include "framework/db/IndexDefs.h"

#include "framework/base/TextCompare.h"

#include "framework/base/FormatText.h"
#include "framework/db/DatabaseError.h"

std::vector<AnsiString> SplitFieldNames(const AnsiString& names) {
  std::vector<AnsiString> result;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == AnsiString::npos) end = names.size();
    AnsiString part = names.substr(start, end - start);
    size_t first = part.find_first_not_of(' ');
    size_t last = part.find_last_not_of(' ');
    if (first != AnsiString::npos) result.push_back(part.substr(first, last - first + 1));
    start = end + 1;
  }
  return result;
}

TIndexDef& TIndexDefs::Add(const AnsiString& name, const AnsiString& fields,
                           TIndexOptions options) {
  auto def = std::make_unique<TIndexDef>();
  def->Name = name;
  def->Fields = fields;
  def->Options = options;
  defs_.push_back(std::move(def));
  return *defs_.back();
}

int TIndexDefs::IndexOf(const AnsiString& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(defs_[i]->Name, name)) return i;
  return -1;
}

namespace {

// Whether the index's leading key fields are wanted, in order (names without regard to case).
bool LeadsWith(const TIndexDef& def, const std::vector<AnsiString>& wanted, bool exact) {
  if (def.Options & ixExpression) return false;
  std::vector<AnsiString> keys = SplitFieldNames(def.Fields);
  if (keys.size() < wanted.size() || (exact && keys.size() != wanted.size())) return false;
  for (size_t i = 0; i < wanted.size(); ++i)
    if (!SameText(keys[i], wanted[i])) return false;
  return true;
}

}  // namespace

TIndexDef* TIndexDefs::FindIndexForFields(const AnsiString& fields) const {
  std::vector<AnsiString> wanted = SplitFieldNames(fields);
  if (wanted.empty()) return nullptr;
  // An index on exactly these fields serves best; one that merely starts with them will do.
  for (bool exact : {true, false})
    for (const auto& def : defs_)
      if (LeadsWith(*def, wanted, exact)) return def.get();
  return nullptr;
}

TIndexDef& TIndexDefs::GetIndexForFields(const AnsiString& fields, bool caseInsensitive) const {
  std::vector<AnsiString> wanted = SplitFieldNames(fields);
  for (bool exact : {true, false})
    for (const auto& def : defs_)
      if (((def->Options & ixCaseInsensitive) != 0) == caseInsensitive &&
          LeadsWith(*def, wanted, exact))
        return *def;
  DatabaseError(Format(dbtext::kNoIndexForFields, {fields}));
}
