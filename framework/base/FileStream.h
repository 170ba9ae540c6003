#pragma once
// A stream on a file. The path is a Linux path (the path service turns the program's paths into
// those). A file that cannot be opened or created raises EFOpenError with the path and the
// system's reason; a failed read or write raises EInOutError with the error code.
#include <string>

#include "framework/base/Stream.h"

enum TFileMode {
  fmCreate,        // create or empty the file, read and write
  fmOpenRead,      // an existing file, read only
  fmOpenWrite,     // an existing file, write only
  fmOpenReadWrite  // an existing file, read and write
};

class FileStream : public TStream {
  QN_CLASS(FileStream, TStream)
 public:
  FileStream(const std::string& path, TFileMode mode);
  ~FileStream() override;
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;

  const std::string& FileName() const { return path_; }

 private:
  [[noreturn]] void fail(const char* what) const;
  std::string path_;
  int fd_;
};
