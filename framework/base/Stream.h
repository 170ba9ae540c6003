#pragma once
// TStream: a sequence of bytes with a position, read and written in blocks. Read and Write
// answer how much they moved; ReadBuffer and WriteBuffer demand all of it and raise
// EStreamError ("Stream read error", "Stream write error") otherwise.
#include <cstdint>

#include "framework/base/Object.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  QN_CLASS(TStream, TObject)
 public:
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Answers the new position. A position beyond the end is allowed; writing there fills the
  // gap with zero bytes.
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t Size();
  virtual void SetSize(int64_t size) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t position) { Seek(position, soBeginning); }

  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source's position on; a count of 0 copies all of source from its
  // start. Answers the bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
};
