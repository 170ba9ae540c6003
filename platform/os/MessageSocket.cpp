#include "platform/os/MessageSocket.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace qn::os {

sockaddr_un messageSocketAddress(const std::string& path) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path)
    throw std::system_error(ENAMETOOLONG, std::generic_category(), "the message socket path is too long: " + path);
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return addr;
}

bool messageSocketInUse(const std::string& path) {
  sockaddr_un addr;
  try {
    addr = messageSocketAddress(path);
  } catch (const std::system_error&) {
    return false;  // no socket can have that address
  }
  int probe = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (probe < 0) return true;  // cannot tell: keep it
  int result = ::connect(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  int err = errno;
  ::close(probe);
  return result == 0 || (err != ECONNREFUSED && err != ENOENT);
}

}  // namespace qn::os
