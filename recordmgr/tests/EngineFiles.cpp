#include "recordmgr/tests/EngineFiles.h"

#include <gtest/gtest.h>

#include "recordmgr/BtrieveEngine.h"

namespace recordingtest {

namespace {

void put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

void createRecordFile(const std::string& path, uint16_t recordLength, const std::vector<SegmentSpec>& segments,
                      uint16_t fileFlags, const std::vector<CollatingSequence>& sequences) {
  uint16_t keys = 0;
  for (const SegmentSpec& segment : segments)
    if (!(segment.flags & 0x10)) ++keys;

  std::vector<uint8_t> spec(16 + 16 * segments.size() + 265 * sequences.size());
  put16(spec, 0, recordLength);
  put16(spec, 2, 4096);
  put16(spec, 4, keys);
  put16(spec, 10, fileFlags);
  size_t at = 16;
  for (const SegmentSpec& segment : segments) {
    put16(spec, at, segment.position);
    put16(spec, at + 2, segment.length);
    put16(spec, at + 4, segment.flags);
    spec[at + 10] = segment.type;
    spec[at + 15] = segment.collatingSequence;
    at += 16;
  }
  for (const CollatingSequence& sequence : sequences) {
    std::copy(sequence.begin(), sequence.end(), spec.begin() + static_cast<long>(at));
    at += 265;
  }

  uint8_t position[128] = {};
  char key[256] = {};
  ASSERT_LT(path.size(), sizeof key);
  path.copy(key, path.size());
  uint16_t length = static_cast<uint16_t>(spec.size());
  ASSERT_EQ(CallBtrieve(14, position, spec.data(), &length, key, 255, 0), 0) << "creating " << path;
}

}  // namespace recordingtest
