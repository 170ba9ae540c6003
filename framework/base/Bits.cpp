#include "framework/base/Bits.h"

#include <algorithm>

#include "framework/base/Exception.h"

namespace {
[[noreturn]] void outOfRange() { throw EListError("Bits index out of range"); }
}  // namespace

void TBits::SetSize(int size) {
  if (size < 0) outOfRange();
  bits_.resize(size, false);
}

bool TBits::Bits(int index) const {
  if (index < 0 || index >= Size()) outOfRange();
  return bits_[index];
}

void TBits::SetBits(int index, bool value) {
  if (index < 0) outOfRange();
  if (index >= Size()) SetSize(index + 1);
  bits_[index] = value;
}

int TBits::OpenBit() const {
  return static_cast<int>(std::find(bits_.begin(), bits_.end(), false) - bits_.begin());
}
