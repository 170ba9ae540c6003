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

namespace {

bool sameName(std::string_view a, const char* b) {
  return a.size() == std::char_traits<char>::length(b) && strncasecmp(a.data(), b, a.size()) == 0;
}

std::string_view blobBytes(const resdata::BlobEntry& e) {
  return std::string_view(reinterpret_cast<const char*>(e.data), e.size);
}

}  // namespace

std::optional<std::string_view> findResource(std::string_view name, std::string_view kind) {
  for (size_t i = 0; i < resdata::kBlobCount; ++i) {
    const resdata::BlobEntry& e = resdata::kBlobs[i];
    if (sameName(name, e.name) && sameName(kind, e.kind)) return blobBytes(e);
  }
  return std::nullopt;
}

std::vector<NamedResource> resourcesOfKind(std::string_view kind) {
  std::vector<NamedResource> out;
  for (size_t i = 0; i < resdata::kBlobCount; ++i)
    if (sameName(kind, resdata::kBlobs[i].kind)) out.push_back({resdata::kBlobs[i].name, blobBytes(resdata::kBlobs[i])});
  return out;
}

}  // namespace qn::os
