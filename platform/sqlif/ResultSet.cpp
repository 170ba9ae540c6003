#include "platform/sqlif/ResultSet.h"

#include <atomic>
#include <cstring>

#include "platform/recmgr/LittleEndian.h"

namespace qn::sqlif {

namespace {

std::atomic<uint32_t> nextSerial{1};

}  // namespace

ResultSet::ResultSet(std::vector<ResultColumn> columns, std::vector<ResultRow> rows, bool updatable,
                     std::string table)
    : columns_(std::move(columns)),
      rows_(std::move(rows)),
      updatable_(updatable),
      table_(std::move(table)),
      serial_(nextSerial++) {
  stride_ = layOutColumns(columns_);
}

void ResultSet::writeRow(const ResultRow& row, uint8_t* out) const {
  std::memset(out, 0, stride_);
  uint16_t length = static_cast<uint16_t>(stride_);
  for (size_t i = 0; i < columns_.size(); ++i) {
    const ResultColumn& c = columns_[i];
    if (c.written.size == 0) continue;
    // A value without a stored form in its column reads as blank rather than as garbage.
    storeValue(row.values[i], c.written, out + c.offset);
    if (c.written.storedType == storedType::note && i + 1 == columns_.size()) {
      // The memo tail ends the row where its text ends.
      const size_t text = strnlen(reinterpret_cast<const char*>(out + c.offset), c.written.size);
      length = static_cast<uint16_t>(c.offset + text + 1);
    }
  }
  recmgr::writeU16(out, length);
}

long ResultSet::step(long from, int direction) const {
  const long size = static_cast<long>(rows_.size());
  for (long i = from + direction; i >= 0 && i < size; i += direction)
    if (!rows_[i].removed) return i;
  return direction > 0 ? size : -1;
}

Status ResultSet::fetch(int option, uint16_t& bufferLength, uint8_t* buffer, int32_t& count) {
  const int32_t wanted = count;
  count = 0;
  const long size = static_cast<long>(rows_.size());
  long index;
  int direction;
  switch (option & ~fetchOption::lockBias) {
    case fetchOption::current:
      index = (position_ >= 0 && position_ < size && !rows_[position_].removed) ? position_ : size;
      direction = 1;
      break;
    case fetchOption::first: index = step(-1, 1); direction = 1; break;
    case fetchOption::next: index = step(position_, 1); direction = 1; break;
    case fetchOption::prior: index = step(position_, -1); direction = -1; break;
    case fetchOption::last: index = step(size, -1); direction = -1; break;
    default: return status::notSupported;
  }
  if (wanted <= 0) return status::ok;
  const size_t capacity = buffer == nullptr ? 0 : bufferLength;
  if (capacity < stride_) return status::bufferTooShort;
  size_t written = 0;
  while (count < wanted && index >= 0 && index < size && written + stride_ <= capacity) {
    writeRow(rows_[index], buffer + written);
    written += stride_;
    position_ = index;
    ++count;
    index = step(index, direction);
  }
  // Running off an end leaves the cursor beyond it, so the opposite direction starts at the end row.
  if (count == 0 && (option & ~fetchOption::lockBias) != fetchOption::current) position_ = direction > 0 ? size : -1;
  bufferLength = static_cast<uint16_t>(written);
  return count < wanted ? status::noMoreRows : status::ok;
}

Status ResultSet::bookmark(uint16_t& bufferLength, uint8_t* buffer, int32_t& count) const {
  count = 0;
  if (buffer == nullptr || bufferLength < 2 + bookmarkDataSize) return status::bufferTooShort;
  const long size = static_cast<long>(rows_.size());
  if (position_ < 0 || position_ >= size || rows_[position_].removed) return status::ok;
  std::memset(buffer, 0, 2 + bookmarkDataSize);
  recmgr::writeU16(buffer, bookmarkDataSize);
  recmgr::writeU32(buffer + 2, serial_);
  recmgr::writeU32(buffer + 6, static_cast<uint32_t>(position_));
  const auto rowid = static_cast<uint64_t>(rows_[position_].rowid);
  recmgr::writeU32(buffer + 10, static_cast<uint32_t>(rowid));
  recmgr::writeU32(buffer + 14, static_cast<uint32_t>(rowid >> 32));
  bufferLength = 2 + bookmarkDataSize;
  count = 1;
  return status::ok;
}

Status ResultSet::seekRow(long index, uint16_t& bufferLength, uint8_t* buffer, int32_t& count) {
  if (bufferLength < stride_) return status::bufferTooShort;
  position_ = index;
  writeRow(rows_[index], buffer);
  bufferLength = static_cast<uint16_t>(stride_);
  count = 1;
  return status::ok;
}

ResultRow* ResultSet::currentRow() {
  const long size = static_cast<long>(rows_.size());
  if (position_ < 0 || position_ >= size || rows_[position_].removed) return nullptr;
  return &rows_[position_];
}

void ResultSet::appendAndMakeCurrent(ResultRow row) {
  rows_.push_back(std::move(row));
  position_ = static_cast<long>(rows_.size()) - 1;
}

bool ResultSet::readRowBuffer(const uint8_t* row, std::vector<SqlValue>& values) const {
  values.clear();
  const uint16_t rowLength = recmgr::readU16(row);
  for (size_t i = 0; i < columns_.size(); ++i) {
    const ResultColumn& c = columns_[i];
    std::vector<uint8_t> bytes(row + c.offset, row + c.offset + c.written.size);
    if (c.written.storedType == storedType::note && i + 1 == columns_.size()) {
      // Only the row length's worth of the memo tail is the caller's text.
      const size_t inRow = rowLength > c.offset ? rowLength - c.offset : 0;
      if (inRow < bytes.size()) std::fill(bytes.begin() + static_cast<long>(inRow), bytes.end(), 0);
    }
    std::optional<SqlValue> value = readStoredValue(c.written, bytes.data());
    if (!value) return false;
    values.push_back(std::move(*value));
  }
  return true;
}

}  // namespace qn::sqlif
