#include "framework/db/Fields.h"

#include "framework/base/TextCompare.h"

#include <algorithm>

#include "framework/db/Field.h"

TField* TFields::FindField(const AnsiString& name) const {
  for (TField* f : fields_)
    if (SameText(f->FieldName(), name)) return f;
  return nullptr;
}

int TFields::IndexOf(const TField* field) const {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  return it == fields_.end() ? -1 : static_cast<int>(it - fields_.begin());
}

void TFields::Remove(TField* field) {
  fields_.erase(std::remove(fields_.begin(), fields_.end(), field), fields_.end());
}

void TFields::SetFieldIndex(TField* field, int index) {
  int current = IndexOf(field);
  if (current < 0) return;
  index = std::clamp(index, 0, Count() - 1);
  fields_.erase(fields_.begin() + current);
  fields_.insert(fields_.begin() + index, field);
}
