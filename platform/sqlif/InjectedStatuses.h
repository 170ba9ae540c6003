#pragma once
// Statuses a test makes an entry point answer: each strikes once, at that entry's next call, and
// the entry then does nothing else.
#include <optional>
#include <string_view>

#include "platform/sqlif/Statuses.h"

namespace qn::sqlif {

void injectStatus(std::string_view entry, Status status);
std::optional<Status> takeInjectedStatus(std::string_view entry);

}  // namespace qn::sqlif
