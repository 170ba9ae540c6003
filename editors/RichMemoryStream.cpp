#include "editors/RichMemoryStream.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "framework/base/Exception.h"

void TdcRichMemoryStream::reserveFor(int64_t size) {
  if (size <= 0) {
    data_.clear();
    data_.shrink_to_fit();
    return;
  }
  const int64_t rounded = (size + kStep - 1) / kStep * kStep;
  if (static_cast<int64_t>(data_.capacity()) >= rounded) return;
  try {
    data_.reserve(static_cast<size_t>(rounded));
  } catch (const std::bad_alloc&) {
    throw EStreamError("Out of memory while expanding memory stream");
  } catch (const std::length_error&) {
    throw EStreamError("Out of memory while expanding memory stream");
  }
}

int64_t TdcRichMemoryStream::Write(const void* buffer, int64_t count) {
  if (count > 0) reserveFor(std::max<int64_t>(Size(), position_ + count));
  return MemoryStream::Write(buffer, count);
}

void TdcRichMemoryStream::SetSize(int64_t size) {
  reserveFor(size);
  MemoryStream::SetSize(size);
}
