#pragma once
// Bytes as spaced upper-case hex pairs ("0D 4F"), for tests that compare record bytes.
#include <string>
#include <string_view>

namespace qn::testing {

std::string hexText(std::string_view bytes);

}  // namespace qn::testing
