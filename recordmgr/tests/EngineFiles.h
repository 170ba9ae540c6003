#pragma once
// Record files for tests, made by the loaded record manager itself (its create operation).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace recordingtest {

struct SegmentSpec {
  uint16_t position;  // 1-based
  uint16_t length;
  uint16_t flags;     // 0x01 duplicates, 0x02 modifiable, 0x10 segment follows, 0x20 collating sequence
  uint8_t type = 0;   // extended type: 0 string
  uint8_t collatingSequence = 0;
};

using CollatingSequence = std::array<uint8_t, 265>;

// Creates (replacing) a record file; fails the test when the record manager refuses.
void createRecordFile(const std::string& path, uint16_t recordLength, const std::vector<SegmentSpec>& segments,
                      uint16_t fileFlags = 0, const std::vector<CollatingSequence>& sequences = {});

}  // namespace recordingtest
