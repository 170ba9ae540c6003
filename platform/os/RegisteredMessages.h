#pragma once
// Window messages registered by name, shared by the programs of one desktop: every program that
// registers a name gets the same number, from 0xC000 up, whatever the order of registration.
// Names compare without regard to case. The table is a file in the runtime folder, changed under
// a lock; each process remembers what it has looked up.
#include <optional>
#include <string>

namespace qn::os {

constexpr unsigned firstRegisteredMessage = 0xC000;
constexpr unsigned lastRegisteredMessage = 0xFFFF;

// The name's number, registering it when it is new; 0 when the name is empty or the table is
// full or cannot be written.
unsigned registerWindowMessage(const std::string& name);

// The name registered under number, with the spelling of its first registration.
std::optional<std::string> registeredMessageName(unsigned number);

}  // namespace qn::os
