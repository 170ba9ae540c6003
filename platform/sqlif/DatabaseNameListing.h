#pragma once
// The names library's listing: the registered SQL databases, local and remote apart, each group
// delivered one name per call after its count call, which starts the group's listing again.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sqlif/Statuses.h"

namespace qn::sqlif {

class DatabaseNameListing {
 public:
  static DatabaseNameListing& instance();

  // Reads the registry again; 285 when it cannot be read.
  Status count(bool remote, uint16_t& count);
  // The group's next name into `length` bytes of `buffer`, blank-padded, `length` set to the
  // name's; 228 after the last.
  Status next(bool remote, uint16_t& length, char* buffer);
  void unload();

 private:
  DatabaseNameListing() = default;
  struct Group {
    std::vector<std::string> names;
    size_t next = 0;
    bool listed = false;
  };
  Group groups_[2];
};

}  // namespace qn::sqlif
