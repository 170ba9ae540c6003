#pragma once
// A memory stream seen as text: DataString() is everything written so far. Writing overwrites
// from the position and extends the text at its end.
#include "framework/base/MemoryStream.h"

class StringStream : public MemoryStream {
  QN_CLASS(StringStream, MemoryStream)
 public:
  explicit StringStream(AnsiString data = {}) { data_ = std::move(data); }

  const AnsiString& DataString() const { return data_; }
  // Up to count characters from the position.
  AnsiString ReadString(int64_t count);
  void WriteString(const AnsiString& s) { WriteBuffer(s.data(), static_cast<int64_t>(s.size())); }
};
