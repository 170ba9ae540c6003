#pragma once
// What one read of the record manager answered, comparable and printable in hex, for tests that
// set a read-ahead handle's answers beside a plain one's.
#include <cstdint>
#include <ostream>
#include <string>

#include "platform/recmgr/tool/Hex.h"

namespace qn::recmgr::testing {

struct Answer {
  int16_t status;
  std::string record;
  std::string key;
  bool operator==(const Answer&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Answer& a) {
  return out << a.status << " " << toHex(a.record) << " " << toHex(a.key);
}

}  // namespace qn::recmgr::testing
