#include "platform/os/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/os/FaultInjection.h"
#include "platform/os/OsError.h"

namespace qn::os {
namespace {

std::string describe(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

// Closes the descriptor and removes the temporary unless the replacement went through.
class Temporary {
 public:
  Temporary(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
  ~Temporary() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(path_.c_str());
  }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;

  const std::string& path() const { return path_; }
  void committed() { committed_ = true; }

 private:
  std::string path_;
  int fd_;
  bool committed_ = false;
};

constexpr std::string_view temporaryMark = ".tmp-";

// Whether name is that of one of a temporary beside the file `fileName`: the file's name, the
// mark, then the writer's process and its count.
bool isTemporaryOf(std::string_view name, std::string_view fileName) {
  if (name.substr(0, fileName.size()) != fileName) return false;
  name.remove_prefix(fileName.size());
  if (name.substr(0, temporaryMark.size()) != temporaryMark) return false;
  name.remove_prefix(temporaryMark.size());
  const size_t dash = name.find('-');
  const auto digits = [](std::string_view d) {
    return !d.empty() && std::all_of(d.begin(), d.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  return dash != std::string_view::npos && digits(name.substr(0, dash)) && digits(name.substr(dash + 1));
}

// A new temporary beside path, created as any new file would be (the umask applies). Its name is
// the file's own with a suffix, shortened where the file's name is so long that the two would
// not make a name the folder can hold.
std::pair<std::string, int> createTemporary(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  const size_t nameStart = path.rfind('/') + 1;  // 0 without a folder
  for (;;) {
    std::string suffix = std::string(temporaryMark) + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    std::string name = path.substr(0, std::min(path.size(), nameStart + NAME_MAX - suffix.size())) + suffix;
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return {name, fd};
    if (errno != EEXIST) throw FileError(describe("cannot create a temporary file beside", path));
  }
}

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw FileError(describe("cannot open", path));
  }
  std::string data;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      ::close(fd);
      errno = saved;
      throw FileError(describe("cannot read", path));
    }
    if (n == 0) break;
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return data;
}

void removeStaleTemporaries(const std::string& path) {
  const std::string folder = folderOf(path);
  const std::string fileName = path.substr(path.rfind('/') + 1);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(dir))
    if (isTemporaryOf(entry->d_name, fileName)) stale.push_back(folder + "/" + entry->d_name);
  ::closedir(dir);
  for (const std::string& name : stale) ::unlink(name.c_str());
}

void writeAll(int fd, std::string_view data, const std::string& path) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError(describe("cannot write", path));
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
}

bool placeFile(const std::string& path, const std::function<void(int fd)>& write, bool replace,
               const std::function<void()>& beforeRename) {
  auto [name, fd] = createTemporary(path);
  Temporary temp(name, fd);
  write(fd);
  if (beforeRename) beforeRename();
  if (replace) {
    if (::rename(temp.path().c_str(), path.c_str()) != 0) throw FileError(describe("cannot replace", path));
  } else if (::renameat2(AT_FDCWD, temp.path().c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0) {
    if (errno == EEXIST) return false;
    throw FileError(describe("cannot create", path));
  }
  temp.committed();
  return true;
}

void replaceFileContent(const std::string& path, std::string_view content, const std::function<void()>& beforeRename) {
  // A rename needs only the folder's permission: a file made read-only, for us or for everyone,
  // must refuse the change itself.
  struct stat st;
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && ((st.st_mode & 0222) == 0 || (::access(path.c_str(), W_OK) != 0 && errno == EACCES))) {
    errno = EACCES;
    throw FileError(describe("cannot change the read-only file", path));
  }
  placeFile(
      path,
      [&](int fd) {
        // The replacement keeps the permissions of the file it replaces.
        if (exists && ::fchmod(fd, st.st_mode & 07777) != 0)
          throw FileError(describe("cannot set the permissions of a temporary beside", path));
        writeAll(fd, content, path);
        // Renamed unflushed, a crash could leave the file short of its new content and the old.
        errno = EIO;  // the reason an injected failure gives
        const bool flushed = !takeInjectedFault(Fault::TemporaryFlush) && ::fsync(fd) == 0;
        if (!flushed) throw FileError(describe("cannot flush a temporary beside", path));
      },
      true, beforeRename);

  // The rename itself must reach the disk too, or a crash could bring back the old file.
  int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace qn::os
