#pragma once
// The text form of a registry hive, made to be read and edited by a person:
//   ; a comment                        (lines beginning with ';' or '#')
//   [Software\Vantor\Quillon\Host]     a key, by its full path; every key has its section
//   "CaFormSize"=str:"1"               a string; \\ \" \r \n \t and \xHH are escapes
//   "MemBudget"=int:-1                 a 32-bit integer
//   "Layout"=hex:00 ff 10              binary data, bytes in hexadecimal
//   ""=str:"text"                      the key's default value (the empty name)
// Values before the first section belong to the hive's root. The file is UTF-8; the program's
// names and strings are Windows-1252.
#include <string>
#include <string_view>

#include "platform/os/HiveKey.h"

namespace qn::os {

std::string formatHive(const HiveKey& root, std::string_view hiveName);

// The hive the text describes. Anything the format does not allow raises RegistryError naming
// source and line: a damaged hive is refused, never taken for an empty one.
HiveKey parseHive(std::string_view text, const std::string& source);

}  // namespace qn::os
