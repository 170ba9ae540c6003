#pragma once
// The tables the resource compiler generates from resources/. Read them through Resources.h.
#include <cstddef>

namespace qn::os::resdata {

struct StringEntry {
  int id;
  const unsigned char* text;  // Windows-1252 bytes
  size_t size;
};

struct BlobEntry {
  const char* kind;  // upper case
  const char* name;  // upper case
  const unsigned char* data;
  size_t size;
};

// Sorted by id; a terminating entry follows the last.
extern const StringEntry kStrings[];
extern const size_t kStringCount;
extern const BlobEntry kBlobs[];
extern const size_t kBlobCount;

}  // namespace qn::os::resdata
