#pragma once
// The engine's 357-byte description of a database (zero-terminated texts, no padding): what
// resolving a database name gives and what a database is created with.
#include <cstddef>

#pragma pack(push, 1)
struct DatabaseDescription {
  static constexpr size_t NameSize = 32;
  static constexpr size_t PathSize = 261;

  char Name[NameSize];
  char Description[NameSize];
  char Path[PathSize];  // the database's directory
  char DriverType[NameSize];
};
#pragma pack(pop)

static_assert(sizeof(DatabaseDescription) == 357);
