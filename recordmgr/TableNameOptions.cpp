#include "recordmgr/TableNameOptions.h"

#include <algorithm>
#include <cstring>

#include "framework/base/TextCase.h"
#include "recordmgr/BtrieveConstants.h"

bool ExtractTableOption(const char* Key, const char* Source, AnsiString& Destination, size_t MaxLength) {
  if (Source == nullptr) return false;
  const AnsiString source(Source);
  const size_t at = UpperCase(source).find(Key);
  if (at == AnsiString::npos) return false;
  const size_t start = at + std::strlen(Key);
  const size_t end = source.find(';', start);
  const size_t length = end == AnsiString::npos ? MaxLength : std::min(end - start, MaxLength);
  Destination = source.substr(start, length);
  return true;
}

std::optional<AnsiString> TableNameOptions::SetTableName(const char* Name) {
  if (Name == nullptr) return std::nullopt;
  const AnsiString name = AnsiString(Name).substr(0, TableNameLength);
  ExtractTableOption(OwnerOptionKey, name.c_str(), OwnerName, OwnerNameLength);
  LayoutName.clear();
  HasLayoutResource = ExtractTableOption(ResOptionKey, name.c_str(), LayoutName, LayoutNameLength);
  return name.substr(0, name.find(';'));
}
