#include "platform/os/UserName.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace qn::os {

std::string networkUserName() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  struct passwd entry;
  struct passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found) return found->pw_name;
  // A user the password database does not know (a container, say) may still have a name.
  for (const char* variable : {"USER", "LOGNAME"})
    if (const char* name = std::getenv(variable); name && *name) return name;
  return {};
}

}  // namespace qn::os
