#pragma once
// Key images whose plain byte comparison gives the record manager's key order: each segment
// becomes a fixed-width image for its type and flags (descending segments inverted), and a key's
// image is its segments' images in order. SQLite compares these as blobs.
#include <optional>
#include <string>
#include <string_view>

#include "platform/recmgr/FileSpec.h"

namespace qn::recmgr {

class KeyEncoding {
 public:
  // The file's collating sequences must outlive the encoder.
  explicit KeyEncoding(const FileSpec& spec) : spec_(spec) {}

  // The image of a key value as callers pass it: the segments' bytes one after another.
  std::string fromKeyValue(const KeySpec& key, const uint8_t* value) const;

  // The image of a record's key, or nothing when the key is a null key and every byte of every
  // segment holds its null value (the record then stays out of that key path). Bytes past the
  // record's end read as zero.
  std::optional<std::string> fromRecord(const KeySpec& key, std::string_view record) const;

  // The key value of a record as callers receive it in the key buffer.
  static std::string keyValue(const KeySpec& key, std::string_view record);

  // The number an integer segment's image stands for (auto-increment keys count from it).
  static int64_t integerFromImage(const SegmentSpec& segment, std::string_view image);

 private:
  void appendSegment(const SegmentSpec& segment, const uint8_t* value, std::string& out) const;

  const FileSpec& spec_;
};

}  // namespace qn::recmgr
