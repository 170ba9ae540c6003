#include "framework/base/FileStream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "framework/base/Exception.h"

FileStream::FileStream(const std::string& path, TFileMode mode) : path_(path) {
  static const int kFlags[] = {O_RDWR | O_CREAT | O_TRUNC, O_RDONLY, O_WRONLY, O_RDWR};
  fd_ = ::open(path.c_str(), kFlags[mode] | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    const char* verb = mode == fmCreate ? "Cannot create file" : "Cannot open file";
    throw EFOpenError(std::string(verb) + " \"" + path + "\". " + std::strerror(errno));
  }
}

FileStream::~FileStream() { ::close(fd_); }

void FileStream::fail(const char* what) const {
  int code = errno;
  throw EInOutError(std::string(what) + " \"" + path_ + "\". " + std::strerror(code), code);
}

int64_t FileStream::Read(void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail("Cannot read file");
    if (n == 0) break;
    done += n;
  }
  return done;
}

int64_t FileStream::Write(const void* buffer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail("Cannot write file");
    done += n;
  }
  return done;
}

int64_t FileStream::Seek(int64_t offset, TSeekOrigin origin) {
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  off_t position = ::lseek(fd_, offset, kWhence[origin]);
  if (position < 0) fail("Cannot seek in file");
  return position;
}

void FileStream::SetSize(int64_t size) {
  if (::ftruncate(fd_, size) != 0) fail("Cannot set the size of file");
  if (Position() > size) SetPosition(size);
}
