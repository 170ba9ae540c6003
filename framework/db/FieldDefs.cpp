#include "framework/db/FieldDefs.h"

#include "framework/base/TextCompare.h"

#include "framework/base/FormatText.h"
#include "framework/db/DatabaseError.h"

TFieldDef& TFieldDefs::Add(const AnsiString& name, TFieldType type, int size, bool required) {
  auto def = std::make_unique<TFieldDef>();
  def->Name = name;
  def->DataType = type;
  def->Size = size;
  def->FieldNo = Count() + 1;
  if (required) def->Attributes |= faRequired;
  defs_.push_back(std::move(def));
  return *defs_.back();
}

int TFieldDefs::IndexOf(const AnsiString& name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(defs_[i]->Name, name)) return i;
  return -1;
}

TFieldDef& TFieldDefs::Find(const AnsiString& name) {
  int i = IndexOf(name);
  if (i < 0) DatabaseError(Format(dbtext::kFieldNotFound, {name}));
  return *defs_[i];
}
