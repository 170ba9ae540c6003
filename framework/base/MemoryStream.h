#pragma once
// A stream held in memory, growing as it is written.
#include <string>

#include "framework/base/AnsiString.h"
#include "framework/base/Stream.h"

class MemoryStream : public TStream {
  QN_CLASS(MemoryStream, TStream)
 public:
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  // New bytes are zero; the position stays unless it would lie beyond the new end.
  void SetSize(int64_t size) override;

  // The bytes; valid until the next write or size change.
  const char* Memory() const { return data_.data(); }
  void Clear();
  // The whole of a stream or file (from its start) replaces the content; the position is 0.
  void LoadFromStream(TStream& source);
  void LoadFromFile(const std::string& path);
  // Writes the whole content.
  void SaveToStream(TStream& target);
  void SaveToFile(const std::string& path);

 protected:
  AnsiString data_;  // the bytes
  int64_t position_ = 0;
};
