#include "framework/base/MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "framework/base/Exception.h"
#include "framework/base/FileStream.h"

int64_t MemoryStream::Read(void* buffer, int64_t count) {
  int64_t n = std::clamp<int64_t>(Size() - position_, 0, std::max<int64_t>(count, 0));
  if (n > 0) std::memcpy(buffer, data_.data() + position_, n);
  position_ += n;
  return n;
}

int64_t MemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (position_ + count > Size()) data_.resize(position_ + count, '\0');
  std::memcpy(data_.data() + position_, buffer, count);
  position_ += count;
  return count;
}

int64_t MemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size();
  if (base + offset < 0) throw EStreamError("Stream seek error");
  position_ = base + offset;
  return position_;
}

void MemoryStream::SetSize(int64_t size) {
  data_.resize(std::max<int64_t>(size, 0), '\0');
  position_ = std::min(position_, Size());
}

void MemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

void MemoryStream::LoadFromStream(TStream& source) {
  // Emptying the content first would leave only zeros to read back.
  if (&source == this) {
    position_ = 0;
    return;
  }
  source.SetPosition(0);
  data_.assign(source.Size(), '\0');
  source.ReadBuffer(data_.data(), Size());
  position_ = 0;
}

void MemoryStream::LoadFromFile(const std::string& path) {
  FileStream file(path, fmOpenRead);
  LoadFromStream(file);
}

void MemoryStream::SaveToStream(TStream& target) { target.WriteBuffer(data_.data(), Size()); }

void MemoryStream::SaveToFile(const std::string& path) {
  FileStream file(path, fmCreate);
  SaveToStream(file);
}
