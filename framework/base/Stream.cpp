#include "framework/base/Stream.h"

#include <algorithm>

#include "framework/base/Exception.h"

int64_t TStream::Size() {
  int64_t position = Position();
  int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EStreamError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  char block[64 * 1024];
  for (int64_t left = count; left > 0;) {
    int64_t n = std::min<int64_t>(left, sizeof block);
    source.ReadBuffer(block, n);
    WriteBuffer(block, n);
    left -= n;
  }
  return count;
}
