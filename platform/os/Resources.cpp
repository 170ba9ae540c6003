#include "platform/os/Resources.h"

#include <algorithm>
#include <strings.h>

#include "platform/os/ResourceData.h"

namespace qn::os {

std::optional<AnsiString> loadResourceString(int id) {
  const resdata::StringEntry* begin = resdata::kStrings;
  const resdata::StringEntry* end = begin + resdata::kStringCount;
  auto it = std::lower_bound(begin, end, id, [](const resdata::StringEntry& e, int v) { return e.id < v; });
  if (it == end || it->id != id) return std::nullopt;
  return AnsiString(reinterpret_cast<const char*>(it->text), it->size);
}

std::optional<std::string_view> findResource(std::string_view name, std::string_view kind) {
  auto same = [](std::string_view a, const char* b) {
    return a.size() == std::char_traits<char>::length(b) && strncasecmp(a.data(), b, a.size()) == 0;
  };
  for (size_t i = 0; i < resdata::kBlobCount; ++i) {
    const resdata::BlobEntry& e = resdata::kBlobs[i];
    if (same(name, e.name) && same(kind, e.kind))
      return std::string_view(reinterpret_cast<const char*>(e.data), e.size);
  }
  return std::nullopt;
}

}  // namespace qn::os
