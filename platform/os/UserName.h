#pragma once
// The user name the program shows and records as the network user: the login name.
#include <string>

namespace qn::os {

// The login name of the process's user; empty when the system knows none.
std::string networkUserName();

}  // namespace qn::os
