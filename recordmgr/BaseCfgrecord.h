#pragma once
// TBaseCfgrecord: one configuration record of a session, kept in memory: a key such as
// "\DATABASES\QNWIN\DB INFO" and named text values described by field descriptors (number, name,
// offset into the value buffer, length). Aliases added at run time live in these records.
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "framework/base/AnsiString.h"
#include "recordmgr/BapiListItem.h"
#include "recordmgr/FieldDescriptor.h"

class TBaseCfgrecord : public TBapiListItem {
  QN_CLASS(TBaseCfgrecord, TBapiListItem)
 public:
  TBaseCfgrecord(TBapiListItem* session, TKorvoCollection* list) : TBapiListItem(session, list) {}

  const AnsiString& Key() const { return key_; }
  void SetKey(const AnsiString& key) { key_ = key; }

  // Replaces the data: count descriptors and their values (ValueSize bytes; nil leaves them
  // zero). A count below 1 leaves the record without data.
  void SetData(int count, const FieldDescriptor* descriptors, const void* values);
  uint16_t FieldCount() const { return static_cast<uint16_t>(descriptors_.size()); }
  const FieldDescriptor* Descriptors() const { return descriptors_.data(); }
  const char* Values() const { return values_.data(); }
  // The sum of the descriptors' lengths.
  uint32_t ValueSize() const { return static_cast<uint32_t>(values_.size()); }

  // The value of the first field whose name equals one of the names exactly; nil without one. A
  // field that would reach past the value buffer, or whose value has no terminating NUL, has no
  // value.
  const char* FindValue(std::initializer_list<const char*> names) const;
  // The value of the field at index as text, under the same rule; nil for an index out of range.
  const char* ValueAt(int index) const;

 private:
  AnsiString key_;
  std::vector<FieldDescriptor> descriptors_;
  std::vector<char> values_;
};
