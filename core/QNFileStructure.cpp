#include "core/QNFileStructure.h"

#include <algorithm>

#include "core/RecordFiles.h"
#include "framework/base/Exception.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Tick.h"

uint32_t UnpackMilliseconds = 0;

void TQNFileStructure::AddField(int index, std::unique_ptr<TFieldInfo> descriptor) {
  if (index < 0 || index >= MaxFields) throw EListError("Field index out of range (" + IntToStr(index) + ")");
  if (fields_[index]) RecordLength -= fields_[index]->Size;
  descriptor->Text.resize(descriptor->Size, '\0');
  RecordLength += descriptor->Size;
  CurrentIndex = index;
  FieldCount = std::max(FieldCount, index + 1);
  fields_[index] = std::move(descriptor);
}

TFieldInfo* TQNFileStructure::Field(int index) const {
  return index >= 0 && index < MaxFields ? fields_[index].get() : nullptr;
}

TFieldInfo* TQNFileStructure::FieldByName(const AnsiString& name) const {
  for (const auto& field : fields_)
    if (field && field->Name == name) return field.get();
  return nullptr;
}

void TQNFileStructure::PackFields() {
  size_t at = 0;
  for (int i = 0; i < FieldCount && at < Buffer.size(); ++i) {
    const TFieldInfo* field = fields_[i].get();
    if (!field) continue;
    const size_t length = std::min({field->Text.size(), static_cast<size_t>(field->Size), Buffer.size() - at});
    Buffer.replace(at, length, field->Text, 0, length);
    at += field->Size;
  }
}

bool TQNFileStructure::BindToControls = false;

void TQNFileStructure::UnpackFields() {
  const uint32_t start = GetTickCount();
  for (int i = 0; i < FieldCount; ++i) {
    TFieldInfo* field = fields_[i].get();
    if (!field) continue;
    const size_t from = field->Offset > 0 ? static_cast<size_t>(field->Offset - 1) : 0;
    AnsiString text = from < Buffer.size() ? Buffer.substr(from, field->Size) : AnsiString();
    text.resize(field->Size, '\0');
    field->Text = std::move(text);
    if (BindToControls) field->ShowInBoundControl();
  }
  UnpackMilliseconds += GetTickCount() - start;
}

void TQNFileStructure::First() {
  GetFirstRecord(FileNumber, Buffer, Eof, 0);
  if (AutoUnpack) UnpackFields();
}

void TQNFileStructure::Next() {
  GetNextRecord(FileNumber, Buffer, Eof, 0);
  if (AutoUnpack) UnpackFields();
}

bool TQNFileStructure::Find(const AnsiString& key, int comparison) {
  const bool found = FindRecord(FileNumber, key, Buffer, Eof, comparison);
  if (found && AutoUnpack) UnpackFields();
  return found;
}

int TQNFileStructure::SaveBookmark() { return ::SaveBookmark(FileNumber, Buffer); }

void TQNFileStructure::GotoBookmark() { ::GotoBookmark(FileNumber, Buffer); }
