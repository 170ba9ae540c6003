#pragma once
// TdcRichMemoryStream: the memory stream rich text passes through on its way between a field,
// a control and the form data. It reserves room in steps of 128 KB, so a document written piece
// by piece is not copied at every piece; a block it cannot get raises EStreamError.
#include "framework/base/MemoryStream.h"

class TdcRichMemoryStream : public MemoryStream {
  QN_CLASS(TdcRichMemoryStream, MemoryStream)
 public:
  static constexpr int64_t kStep = 131072;

  int64_t Write(const void* buffer, int64_t count) override;
  void SetSize(int64_t size) override;
  // The room held: a multiple of kStep, 0 after a size of 0.
  int64_t Capacity() const { return static_cast<int64_t>(data_.capacity() >= kStep ? data_.capacity() : 0); }

 private:
  void reserveFor(int64_t size);
};
