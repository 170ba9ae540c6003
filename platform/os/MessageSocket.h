#pragma once
// The Unix datagram sockets programs receive bus messages on, named by their path in the
// runtime folder.
#include <sys/un.h>

#include <string>

namespace qn::os {

// The address of the socket at path; std::system_error when the path is too long for one.
sockaddr_un messageSocketAddress(const std::string& path);

// False only when the socket file is there but no program receives on it any more, so it may be
// removed; a running program may have bound the address again since its last owner ended.
bool messageSocketInUse(const std::string& path);

}  // namespace qn::os
