#pragma once
// The rows of one executed query, read once into memory so that every fetch direction, block
// fetches and bookmarks work on them. A result of plain columns of one table keeps each row's
// rowid, through which rows are written back. Rows removed through the result stay as holes, so
// row numbers and bookmarks never shift.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sqlif/ResultColumns.h"
#include "platform/sqlif/Statuses.h"
#include "platform/sqlif/StoredValues.h"

namespace qn::sqlif {

// Fetch options of the driver.
namespace fetchOption {
inline constexpr int current = 0;
inline constexpr int first = 1;
inline constexpr int next = 2;
inline constexpr int prior = 3;
inline constexpr int last = 4;
inline constexpr int bookmark = 5;
inline constexpr int toBookmark = 256;
inline constexpr int lockBias = 1024;  // accepted; rows are not locked
}  // namespace fetchOption

inline constexpr size_t bookmarkDataSize = 16;  // result serial 4, row number 4, rowid 8

struct ResultRow {
  std::vector<SqlValue> values;
  int64_t rowid = 0;
  bool removed = false;
};

class ResultSet {
 public:
  ResultSet(std::vector<ResultColumn> columns, std::vector<ResultRow> rows, bool updatable, std::string table);

  const std::vector<ResultColumn>& columns() const { return columns_; }
  bool updatable() const { return updatable_; }
  const std::string& table() const { return table_; }
  size_t stride() const { return stride_; }

  // Rows in the option's direction into the buffer, one per stride: `count` asked, delivered
  // count back; -109 when fewer came than were asked (0 at either end); 225 when not even one
  // row fits. The position moves to the last row delivered.
  Status fetch(int option, uint16_t& bufferLength, uint8_t* buffer, int32_t& count);

  // The current row's bookmark: length word, then serial, row number and rowid. Count 0 when
  // there is no current row.
  Status bookmark(uint16_t& bufferLength, uint8_t* buffer, int32_t& count) const;
  // The row a bookmark in the buffer names, made current and written over the buffer. Count 0
  // for a bookmark of another result or of a removed row. `stillThere` says whether the table
  // still holds a rowid.
  template <typename StillThere>
  Status seekBookmark(uint16_t& bufferLength, uint8_t* buffer, int32_t& count, StillThere stillThere);

  // The current row, or nil when there is none (before the first, after the last, removed).
  ResultRow* currentRow();
  void appendAndMakeCurrent(ResultRow row);
  // Decodes the row buffer into the values of each column; false for a value that has no
  // meaning in its column.
  bool readRowBuffer(const uint8_t* row, std::vector<SqlValue>& values) const;

 private:
  void writeRow(const ResultRow& row, uint8_t* out) const;
  long step(long from, int direction) const;  // the next live row from `from`, or -1/size
  Status seekRow(long index, uint16_t& bufferLength, uint8_t* buffer, int32_t& count);

  std::vector<ResultColumn> columns_;
  std::vector<ResultRow> rows_;
  bool updatable_;
  std::string table_;
  size_t stride_;
  uint32_t serial_;   // distinct for every result of the process, so bookmarks name their result
  long position_ = -1;  // -1 before the first row, rows_.size() after the last
};

template <typename StillThere>
Status ResultSet::seekBookmark(uint16_t& bufferLength, uint8_t* buffer, int32_t& count, StillThere stillThere) {
  count = 0;
  if (buffer == nullptr || bufferLength < 2 + bookmarkDataSize) return status::bufferTooShort;
  auto u32 = [&](size_t at) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(buffer[at + i]) << (8 * i);
    return v;
  };
  if ((buffer[0] | (buffer[1] << 8)) != bookmarkDataSize || u32(2) != serial_) return status::ok;
  const uint32_t index = u32(6);
  if (index >= rows_.size() || rows_[index].removed) return status::ok;
  if (updatable_ && !stillThere(rows_[index].rowid)) {
    rows_[index].removed = true;
    return status::ok;
  }
  return seekRow(static_cast<long>(index), bufferLength, buffer, count);
}

}  // namespace qn::sqlif
