// CreateRecordFile of the record-file layer (RecordFiles.h): a new record file from a record
// length and key segments, refused with a message before the record manager is asked whenever
// the keys do not make a file whose key 0 is a 4-byte autoincrement key.
#include <algorithm>
#include <optional>
#include <vector>

#include "core/RecordFileCalls.h"
#include "core/RecordFiles.h"
#include "framework/base/IntegerText.h"
#include "recordmgr/BtrieveEngine.h"
#include "recordmgr/BtrieveError.h"

using qn::core::recordfiles::loadRecordManager;

namespace {

constexpr int kMaxSegments = 50;
constexpr int kMaxRecordLength = 3000;
constexpr uint16_t kPageSize = 4096;
constexpr uint16_t kCreate = 14;
constexpr uint16_t kKeyOnlyFile = 16;
constexpr uint16_t kDuplicates = 1, kModifiable = 2, kSegmented = 16, kExtendedType = 256;
constexpr uint8_t kAutoIncrementType = 15;
constexpr int kAutoIncrementLength = 4;
constexpr size_t kSpecBlock = 16;

void putU16(std::vector<uint8_t>& spec, size_t at, uint16_t value) {
  spec[at] = static_cast<uint8_t>(value);
  spec[at + 1] = static_cast<uint8_t>(value >> 8);
}

// The refusal of the first key check the segments fail, in the order the checks are made.
std::optional<AnsiString> keyRefusal(const std::vector<RecordKeySegment>& segments, int recordLength) {
  if (segments.empty()) return "This function does not support non-keyed files.";
  for (const RecordKeySegment& s : segments)
    if (s.Length == 0 && !(s.Key == 0 && s.AutoIncrement)) return "Zero key length is invalid!";
  if (segments[0].Key != 0 || !segments[0].AutoIncrement) return "First key (key 0) must be autoincrement";
  if (segments.size() > 1 && segments[1].Key == 0) return "AutoIncrement key may not have segments.";
  for (const RecordKeySegment& s : segments)
    if (s.Position <= 0)
      return "Invalid specification for keys. One or more segments undefined.\r(Key position for key " +
             IntToStr(s.Key) + " is less than or equal to zero.)\r\rThe file will not be created.";
  for (size_t i = 0; i < segments.size(); ++i) {
    const RecordKeySegment& s = segments[i];
    const int length = s.Key == 0 ? kAutoIncrementLength : s.Length;
    if (s.Position + length - 1 > recordLength)
      return "Key segment " + IntToStr(static_cast<int>(i + 1)) + " does not fit within record length";
  }
  for (size_t i = 1; i < segments.size(); ++i)
    if (segments[i].AutoIncrement) return "Only the first key (key 0) may be autoincrement.";
  for (size_t i = 1; i < segments.size(); ++i) {
    const int step = segments[i].Key - segments[i - 1].Key;
    if (step != 0 && step != 1) return "Unspecified error interpreting key specifications";
  }
  return std::nullopt;
}

std::vector<uint8_t> fileSpecification(int recordLength, bool keyOnly, const std::vector<RecordKeySegment>& segments) {
  std::vector<uint8_t> spec(kSpecBlock * (segments.size() + 1), 0);
  putU16(spec, 0, static_cast<uint16_t>(recordLength));
  putU16(spec, 2, kPageSize);
  putU16(spec, 4, static_cast<uint16_t>(segments.back().Key + 1));
  putU16(spec, 10, keyOnly ? kKeyOnlyFile : 0);
  for (size_t i = 0; i < segments.size(); ++i) {
    const RecordKeySegment& s = segments[i];
    const size_t at = kSpecBlock * (i + 1);
    uint16_t flags = kExtendedType;
    if (s.Duplicates) flags |= kDuplicates;
    if (s.Modifiable) flags |= kModifiable;
    if (i + 1 < segments.size() && segments[i + 1].Key == s.Key) flags |= kSegmented;
    putU16(spec, at, static_cast<uint16_t>(s.Position));
    putU16(spec, at + 2, static_cast<uint16_t>(s.Key == 0 ? kAutoIncrementLength : s.Length));
    putU16(spec, at + 4, flags);
    spec[at + 10] = s.Key == 0 ? kAutoIncrementType : 0;
  }
  return spec;
}

}  // namespace

bool CreateRecordFile(const AnsiString& fileName, int recordLength, int segmentCount, AnsiString& message,
                      bool failIfExists, const std::vector<RecordKeySegment>& segments) {
  const bool keyOnly = message == "KeyOnly";
  if (keyOnly) message.clear();
  if (segmentCount > kMaxSegments) {
    message = "Number of key segments exceeds 50.  This is not allowed.";
    return false;
  }
  if (const uint16_t status = loadRecordManager(); !RecordEngineLoaded) {
    message = BtrieveStatusText(status);
    return false;
  }
  if (recordLength > kMaxRecordLength) {
    message = "Record length exceeds maximum of 3000";
    return false;
  }
  const std::vector<RecordKeySegment> used(segments.begin(),
                                           segments.begin() + std::min<size_t>(segmentCount, segments.size()));
  if (const std::optional<AnsiString> refusal = keyRefusal(used, recordLength)) {
    message = *refusal;
    return false;
  }
  std::vector<uint8_t> spec = fileSpecification(recordLength, keyOnly, used);
  uint8_t positionBlock[128] = {};
  AnsiString path = fileName;
  uint16_t length = static_cast<uint16_t>(spec.size());
  const int16_t status = CallBtrieve(kCreate, positionBlock, spec.data(), &length, path.data(), 255,
                                     static_cast<int8_t>(failIfExists ? -1 : 0));
  message = BtrieveStatusText(status);
  return status == 0;
}
