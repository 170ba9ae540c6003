#pragma once
// The parameter text of an alias: pairs of a key, a colon and a value in double quotes, the
// pairs separated by semicolons, as in PATH:"C:\DATA";USER NAME:"ADMIN". Inside the quotes ':'
// and ';' belong to the value.
#include <cstddef>
#include <vector>

#include "framework/base/AnsiString.h"
#include "recordmgr/FieldDescriptor.h"

// Room for the values of one parameter text, each with its terminating NUL.
constexpr size_t AliasValueBufferSize = 1025;

struct AliasParam {
  AnsiString Key;
  AnsiString Value;
};

// The pairs in their order; a pair never closed by its second quote is dropped. A text that ends
// inside quotes, or whose values with their NULs would not fit AliasValueBufferSize, raises
// invalid parameter (9986): taken literally it would fill the value buffer past its end.
std::vector<AliasParam> ParseAliasParams(const char* text);

// The pairs as configuration data: descriptor i numbered i + 1, named by the key (up to 31
// characters), its value at Offset in values, FieldLength the value's length + 1.
void DescribeAliasParams(const std::vector<AliasParam>& params, std::vector<FieldDescriptor>& descriptors,
                         std::vector<char>& values);
