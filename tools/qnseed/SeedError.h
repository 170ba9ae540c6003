#pragma once
// A fixture or a seeding step that cannot be carried out. The message names the place at fault
// ("FILE:LINE: field 'NAME': why") so the person who wrote the fixture can find it at once.
#include <stdexcept>

namespace qn::seed {

class SeedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace qn::seed
