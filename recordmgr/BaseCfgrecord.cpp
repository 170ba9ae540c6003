#include "recordmgr/BaseCfgrecord.h"

#include <algorithm>
#include <cstring>

void TBaseCfgrecord::SetData(int count, const FieldDescriptor* descriptors, const void* values) {
  descriptors_.clear();
  values_.clear();
  if (count < 1 || descriptors == nullptr) return;
  descriptors_.assign(descriptors, descriptors + count);
  size_t size = 0;
  for (const FieldDescriptor& field : descriptors_) size += field.FieldLength;
  values_.assign(size, '\0');
  if (values && size > 0) std::memcpy(values_.data(), values, size);
}

const char* TBaseCfgrecord::FindValue(std::initializer_list<const char*> names) const {
  for (size_t i = 0; i < descriptors_.size(); ++i) {
    const bool named = std::any_of(names.begin(), names.end(), [&](const char* name) {
      return std::strncmp(descriptors_[i].FieldName, name, FieldDescriptor::NameSize) == 0;
    });
    if (named) return ValueAt(static_cast<int>(i));
  }
  return nullptr;
}

const char* TBaseCfgrecord::ValueAt(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= descriptors_.size()) return nullptr;
  const FieldDescriptor& field = descriptors_[index];
  // A value must end inside the buffer, or reading it as text would run past it.
  const size_t end = size_t{field.Offset} + field.FieldLength;
  if (field.FieldLength == 0 || end > values_.size() || values_[end - 1] != '\0') return nullptr;
  return values_.data() + field.Offset;
}
