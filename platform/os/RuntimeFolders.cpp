#include "platform/os/RuntimeFolders.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/os/MachineRoot.h"

namespace qn::os {

std::string runtimeSubdir(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(runtimeDir()) / name;
  std::filesystem::create_directories(dir);
  return dir.string();
}

void replaceFileAtomically(const std::string& path, const std::string& contents) {
  std::string temp = path + ".XXXXXX";
  int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), "cannot create " + temp);
  size_t done = 0;
  while (done < contents.size()) {
    ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int err = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      throw std::system_error(err, std::generic_category(), "cannot write " + temp);
    }
    done += static_cast<size_t>(n);
  }
  ::close(fd);
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    throw std::system_error(err, std::generic_category(), "cannot replace " + path);
  }
}

}  // namespace qn::os
