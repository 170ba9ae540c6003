#pragma once
// TBits: a growable set of numbered bits. Setting a bit beyond the size grows the set; reading
// one beyond it, or using a negative index, raises EListError "Bits index out of range".
#include <vector>

#include "framework/base/Object.h"

class TBits : public TObject {
  QN_CLASS(TBits, TObject)
 public:
  int Size() const { return static_cast<int>(bits_.size()); }
  // New bits are clear.
  void SetSize(int size);
  bool Bits(int index) const;
  void SetBits(int index, bool value);
  // The index of the first clear bit; Size() when every bit is set.
  int OpenBit() const;

 private:
  std::vector<bool> bits_;
};
