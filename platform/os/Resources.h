#pragma once
// The resources compiled into the program: string tables by number and named binary resources
// (record layouts, bitmaps, templates) by name and kind. Names and kinds compare without case.
#include <optional>
#include <string_view>
#include <vector>

#include "framework/base/AnsiString.h"

namespace qn::os {

// The string with this number, or nothing when the tables have none.
std::optional<AnsiString> loadResourceString(int id);

// The bytes of a named resource, or nothing. The bytes live as long as the program.
std::optional<std::string_view> findResource(std::string_view name, std::string_view kind);

struct NamedResource {
  std::string_view name;  // upper case, as compiled
  std::string_view bytes;
};

// Every resource of a kind (for instance the record-file catalogue's texts), in compiled order.
std::vector<NamedResource> resourcesOfKind(std::string_view kind);

}  // namespace qn::os
