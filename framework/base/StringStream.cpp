#include "framework/base/StringStream.h"

#include <algorithm>

AnsiString StringStream::ReadString(int64_t count) {
  AnsiString out(std::max<int64_t>(count, 0), '\0');
  out.resize(Read(out.data(), static_cast<int64_t>(out.size())));
  return out;
}
