#pragma once
// The message of the EAbort an operation raised, or "" when it raised nothing.
#include "framework/base/Exception.h"

namespace qn::core::testing {

template <typename Operation>
AnsiString raised(Operation operation) {
  try {
    operation();
  } catch (const EAbort& e) {
    return e.Message();
  }
  return "";
}

}  // namespace qn::core::testing
