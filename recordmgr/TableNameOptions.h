#pragma once
// A Btrieve table's name carries its file and, behind it, options: ";OWNER:" and the owner name
// the file is opened under, ";RES:" and the record layout compiled into the program that
// describes its fields. Options stand in any order and any letter case; their values keep theirs.
#include <cstddef>
#include <optional>

#include "framework/base/AnsiString.h"

// The value of the option Key (upper case, ";RES:") in Source: what follows the key up to the
// next ";", at most MaxLength characters. False, leaving Destination alone, when Source is nil or
// lacks the key.
bool ExtractTableOption(const char* Key, const char* Source, AnsiString& Destination, size_t MaxLength);

// The options a Btrieve table keeps once its name is set.
struct TableNameOptions {
  static constexpr size_t OwnerNameLength = 8;
  static constexpr size_t LayoutNameLength = 260;
  // Longer table names are cut to this before they are parsed.
  static constexpr size_t TableNameLength = 255;

  AnsiString OwnerName;  // unchanged by a name without ";OWNER:"
  bool HasLayoutResource = false;
  AnsiString LayoutName;

  // Takes the options of Name and answers the plain table name (the text before the first ";")
  // that the abstract table keeps; a nil Name changes nothing and answers nothing.
  std::optional<AnsiString> SetTableName(const char* Name);
};
