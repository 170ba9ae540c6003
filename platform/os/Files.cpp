#include "platform/os/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/os/AtomicFile.h"
#include "platform/os/OsError.h"
#include "platform/os/Paths.h"

namespace qn::os {
namespace {

std::optional<struct stat> statOf(std::string_view path) {
  struct stat st;
  if (::stat(resolvePath(path).c_str(), &st) != 0) return std::nullopt;
  return st;
}

// Closes a descriptor on every way out.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

void copyContent(int from, int to, const std::string& toPath) {
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(from, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw FileError("cannot read the file copied to " + toPath);
    if (n == 0) return;
    writeAll(to, std::string_view(buffer, static_cast<size_t>(n)), toPath);
  }
}

}  // namespace

bool fileExists(std::string_view path) {
  std::optional<struct stat> st = statOf(path);
  return st && S_ISREG(st->st_mode);
}

bool directoryExists(std::string_view path) {
  std::optional<struct stat> st = statOf(path);
  return st && S_ISDIR(st->st_mode);
}

bool createNewFile(std::string_view path) {
  const Descriptor file{::open(resolvePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)};
  return file.fd >= 0;
}

bool forceDirectories(std::string_view path) {
  const std::string target = resolvePath(path);
  for (size_t slash = target.find('/', 1);; slash = target.find('/', slash + 1)) {
    std::string level = target.substr(0, slash);
    if (!level.empty() && ::mkdir(level.c_str(), 0777) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return directoryExists(target);
}

bool copyFile(std::string_view from, std::string_view to, bool failIfExists) {
  const std::string source = resolvePath(from);
  const std::string target = resolvePath(to);
  Descriptor in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat st;
  if (in.fd < 0 || ::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  try {
    return placeFile(
        target,
        [&](int out) {
          copyContent(in.fd, out, target);
          const struct timespec times[2] = {st.st_atim, st.st_mtim};
          if (::fchmod(out, st.st_mode & 07777) != 0 || ::futimens(out, times) != 0)
            throw FileError("cannot set the attributes of " + target);
        },
        !failIfExists);
  } catch (const FileError&) {
    return false;
  }
}

bool deleteFile(std::string_view path) {
  std::optional<struct stat> st = statOf(path);
  return st && !S_ISDIR(st->st_mode) && ::unlink(resolvePath(path).c_str()) == 0;
}

bool renameFile(std::string_view from, std::string_view to) {
  return ::renameat2(AT_FDCWD, resolvePath(from).c_str(), AT_FDCWD, resolvePath(to).c_str(), RENAME_NOREPLACE) == 0;
}

std::string currentDirectory() {
  std::string buffer(4096, '\0');
  while (!::getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.c_str();
}

bool setCurrentDirectory(std::string_view path) { return ::chdir(resolvePath(path).c_str()) == 0; }

std::optional<std::time_t> fileModificationTime(std::string_view path) {
  std::optional<struct stat> st = statOf(path);
  return st ? std::optional<std::time_t>(st->st_mtime) : std::nullopt;
}

}  // namespace qn::os
