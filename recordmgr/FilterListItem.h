#pragma once
// TFilterListItem: one filter of a cursor: a dataset's callback, a filter expression block
// (framework/db/FilterExpression.h), or both, tested on every record the cursor positions on
// while the filter is active. A filter keeps a private copy of its expression.
#include <cstdint>
#include <vector>

#include "framework/base/Object.h"

class TBaseTable;
class TFilterListItem;

// The dataset layer's record test: non-zero accepts the record. The third argument is always 0.
using FilterCallback = int16_t (*)(uintptr_t clientData, void* record, int32_t reserved);

// What GetFilterInfo reports of a filter, in the engine's order. References are pointer-sized, as
// a reference does not fit 32 bits in this process.
#pragma pack(push, 1)
struct FilterInfo {
  uint16_t Index;  // in the cursor's filter list
  TFilterListItem* Filter;
  uintptr_t ClientData;
  uint16_t Priority;
  int16_t CanAbort;  // -1 or 0
  FilterCallback Callback;
  const uint8_t* Expression;
  int16_t Active;  // -1 or 0
};
#pragma pack(pop)

class TFilterListItem : public TObject {
  QN_CLASS(TFilterListItem, TObject)
 public:
  // The expression (nullptr: none) is checked and copied, its size taken from its own header; a
  // damaged block raises invalid parameter (9986), so that no record is ever tested against it.
  TFilterListItem(TBaseTable* cursor, uintptr_t clientData, uint16_t priority, bool canAbort,
                  const void* expression, FilterCallback callback);

  TBaseTable* Cursor() const { return cursor_; }
  uintptr_t ClientData() const { return clientData_; }
  uint16_t Priority() const { return priority_; }
  bool CanAbort() const { return canAbort_; }
  // The private copy; empty without an expression.
  const std::vector<uint8_t>& Expression() const { return expression_; }
  FilterCallback Callback() const { return callback_; }
  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  void* CurrentRecord() const { return currentRecord_; }

  // Whether the record passes: an inactive filter passes every record; the callback decides
  // first, the expression only when the callback accepted. Anything raised on the way rejects
  // the record and goes no further.
  bool Accepts(void* record);

 private:
  bool acceptedByCallback(void* record) const;
  bool acceptedByExpression();

  TBaseTable* cursor_;
  uintptr_t clientData_;
  uint16_t priority_;
  bool canAbort_;
  std::vector<uint8_t> expression_;
  FilterCallback callback_;
  bool active_ = false;
  void* currentRecord_ = nullptr;
};
