#include "platform/sqlif/DatabaseNameListing.h"

#include <algorithm>
#include <cstring>

#include "platform/sqlif/DatabaseRegistry.h"

namespace qn::sqlif {

DatabaseNameListing& DatabaseNameListing::instance() {
  static DatabaseNameListing listing;
  return listing;
}

Status DatabaseNameListing::count(bool remote, uint16_t& count) {
  Group& group = groups_[remote ? 1 : 0];
  group = Group{};
  try {
    for (const RegisteredDatabase& d : registeredDatabases())
      if (d.remote == remote) group.names.push_back(d.name);
  } catch (const std::exception&) {
    return status::systemTablesUnreadable;
  }
  group.listed = true;
  count = static_cast<uint16_t>(std::min<size_t>(group.names.size(), UINT16_MAX));
  return status::ok;
}

Status DatabaseNameListing::next(bool remote, uint16_t& length, char* buffer) {
  Group& group = groups_[remote ? 1 : 0];
  if (!group.listed) {
    uint16_t ignored = 0;
    if (Status s = count(remote, ignored); s != status::ok) return s;
  }
  if (group.next >= group.names.size()) return status::noMoreNames;
  const std::string& name = group.names[group.next++];
  if (buffer == nullptr) return status::bufferTooShort;
  const size_t n = std::min<size_t>(name.size(), length);
  std::memset(buffer, ' ', length);
  std::memcpy(buffer, name.data(), n);
  length = static_cast<uint16_t>(n);
  return status::ok;
}

void DatabaseNameListing::unload() {
  groups_[0] = Group{};
  groups_[1] = Group{};
}

}  // namespace qn::sqlif
