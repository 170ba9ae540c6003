#pragma once
// What the registry raises: a value of another type than asked, a damaged hive, a write through a
// key opened for reading, a hive that cannot be written.
#include "platform/os/OsError.h"

namespace qn::os {

class RegistryError : public OsError {
 public:
  using OsError::OsError;
};

}  // namespace qn::os
