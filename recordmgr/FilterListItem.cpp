#include "recordmgr/FilterListItem.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <optional>

#include "framework/db/FilterEvaluator.h"
#include "framework/db/FilterExpression.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineError.h"

namespace {

constexpr size_t kScratchFieldSize = 256;

// The block's size from its own header; a block that cannot even say its size, or that does not
// hold together, is refused before anything is copied past its end or tested against it.
std::vector<uint8_t> copyCheckedBlock(const void* expression) {
  if (!expression) return {};
  const auto* bytes = static_cast<const uint8_t*>(expression);
  std::vector<uint8_t> header(bytes, bytes + filterexpr::kTotalSizeAt + 2);
  const uint16_t totalSize = filterexpr::ReadWord(header, filterexpr::kTotalSizeAt);
  if (totalSize < filterexpr::kHeaderSize) RaiseEngineError(DBIERR_INVALIDPARAM);
  std::vector<uint8_t> block(bytes, bytes + totalSize);
  try {
    filterexpr::CheckFilterBlock(block);
  } catch (const std::exception&) {
    RaiseEngineError(DBIERR_INVALIDPARAM);
  }
  return block;
}

// The bytes of a field's value as the cursor delivers it: numbers of a fixed width whatever their
// stored width (a packed decimal of six bytes is read as a double of eight), the rest as stored.
size_t valueSize(const TFieldCacheItem& item) {
  switch (item.FieldType()) {
    case LogicalFieldType::Float:
    case LogicalFieldType::Timestamp: return 8;
    case LogicalFieldType::Int32:
    case LogicalFieldType::UInt32: return 4;
    default: return item.FieldLength();
  }
}

// The filter's current record as the evaluator reads it: fields by name through the cursor's
// field cache, comparisons by the cursor's own typed comparison.
class CursorFilterRecord : public filterexpr::FilterRecord {
 public:
  CursorFilterRecord(TBaseTable& cursor, void* record) : cursor_(cursor), record_(record) {}

  // An engine error reading the field passes on: the evaluator then rejects the record, even
  // under a "not".
  std::optional<filterexpr::TypedValue> FieldValue(const AnsiString& name) override {
    const uint16_t number = cursor_.FieldCache()->FieldNumberByName(name);
    if (number == 0) return std::nullopt;
    TFieldCacheItem* item = cursor_.FieldCache()->GetFieldItem(number);
    std::vector<char> value(std::max<size_t>({kScratchFieldSize, item->FieldLength() + 1u, item->LocalSize()}));
    bool blank = false;
    cursor_.GetFieldValue(item, record_, blank, value.data());
    return filterexpr::TypedValue{item->FieldType(), std::string(value.data(), valueSize(*item))};
  }

  // The sign of a against b, over the partial length when given, else over a's length; the
  // shorter value counts as zero-filled up to that length.
  int CompareField(uint16_t type, const std::string& a, const std::string& b, bool caseInsensitive,
                   int length) override {
    const size_t over = length > 0 ? static_cast<size_t>(length) : a.size();
    std::vector<char> left(std::max({over, a.size(), b.size()}) + 1);
    std::vector<char> right(left.size());
    std::memcpy(left.data(), a.data(), a.size());
    std::memcpy(right.data(), b.data(), b.size());
    // The cursor answers the second value against the first.
    return cursor_.CompareField(type, nullptr, right.data(), left.data(), caseInsensitive,
                                static_cast<uint16_t>(std::min<size_t>(over, UINT16_MAX)));
  }

 private:
  TBaseTable& cursor_;
  void* record_;
};

}  // namespace

TFilterListItem::TFilterListItem(TBaseTable* cursor, uintptr_t clientData, uint16_t priority, bool canAbort,
                                 const void* expression, FilterCallback callback)
    : cursor_(cursor),
      clientData_(clientData),
      priority_(priority),
      canAbort_(canAbort),
      expression_(copyCheckedBlock(expression)),
      callback_(callback) {}

bool TFilterListItem::Accepts(void* record) {
  if (!active_) return true;
  currentRecord_ = record;
  if (callback_ && !acceptedByCallback(record)) return false;
  if (expression_.empty()) return true;
  return acceptedByExpression();
}

bool TFilterListItem::acceptedByCallback(void* record) const {
  try {
    return callback_(clientData_, record, 0) != 0;
  } catch (...) {
    return false;
  }
}

bool TFilterListItem::acceptedByExpression() {
  CursorFilterRecord record(*cursor_, currentRecord_);
  return filterexpr::EvaluateFilter(expression_, record);
}
