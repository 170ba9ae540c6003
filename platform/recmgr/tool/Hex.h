#pragma once
// Bytes as hexadecimal text (two lower-case digits a byte) and back, for the tool's dumps and
// its serve answers.
#include <optional>
#include <string>
#include <string_view>

namespace qn::recmgr {

std::string toHex(std::string_view bytes);
// Empty when `digits` has an odd count or a character that is not a hexadecimal digit.
std::optional<std::string> fromHex(std::string_view digits);

}  // namespace qn::recmgr
