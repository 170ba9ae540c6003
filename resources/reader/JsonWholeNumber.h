#pragma once
// The whole numbers of the catalogue's texts as the readers keep them: a JSON number that does
// not fit an int is no valid value, never one cut down to fit.
#include <optional>

#include <nlohmann/json.hpp>

namespace qn::catalogue {

// The value as an int; nothing when it is not a whole number or lies outside an int's range.
std::optional<int> wholeNumberValue(const nlohmann::json& value);

}  // namespace qn::catalogue
