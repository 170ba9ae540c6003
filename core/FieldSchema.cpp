#include "core/FieldSchema.h"

#include <string_view>

#include "framework/base/Exception.h"
#include "framework/base/Locale.h"
#include "framework/base/TextCase.h"
#include "platform/os/Resources.h"
#include "resources/reader/RecordStructures.h"

namespace {

using qn::catalogue::StructureCode;
using qn::catalogue::StructureFieldKind;

const std::vector<StructureCode>& structureCodes() {
  static const std::vector<StructureCode> codes = [] {
    const std::optional<std::string_view> text = qn::os::findResource("STRUCTURES", "CATALOGUE");
    if (!text) throw EInvalidOperation("The record structures are missing from the program");
    return qn::catalogue::parseRecordStructures(*text, "structures");
  }();
  return codes;
}

template <typename Descriptor>
Descriptor* addNew(TQNFileStructure& structure, std::unique_ptr<Descriptor> field, int index) {
  Descriptor* added = field.get();
  structure.AddField(index, std::move(field));
  return added;
}

}  // namespace

TStringFieldInfo* NewStringField(TQNFileStructure& structure, const AnsiString& name, int index, uint8_t controlKind,
                                 int offset, int size) {
  auto field = std::make_unique<TStringFieldInfo>();
  field->Name = name;
  field->Offset = offset;
  field->ControlKind = controlKind;
  field->SetSize(size);
  return addNew(structure, std::move(field), index);
}

TPacDecFieldInfo* NewPackedField(TQNFileStructure& structure, const AnsiString& name, int index, uint8_t controlKind,
                                 int decimals, int offset, int size) {
  auto field = std::make_unique<TPacDecFieldInfo>();
  field->Name = name;
  field->Offset = offset;
  field->ControlKind = controlKind;
  field->Decimals = decimals;
  field->SetSize(size);  // after the decimals: the display mask is built from them
  return addNew(structure, std::move(field), index);
}

TDateFieldInfo* NewDateField(TQNFileStructure& structure, const AnsiString& name, int index, uint8_t controlKind,
                             int offset, int size) {
  auto field = std::make_unique<TDateFieldInfo>();
  field->Name = name;
  field->Offset = offset;
  field->ControlKind = controlKind;
  field->SetSize(size);
  const AnsiString format = UpperCase(Locale().ShortDateFormat);
  const char first = format.empty() ? 'D' : format[0];
  field->OrderLetter = first == 'M' || first == 'Y' ? first : 'D';
  field->FourDigitYear = format.find("YYYY") != AnsiString::npos;
  return addNew(structure, std::move(field), index);
}

std::unique_ptr<TQNFileStructure> BuildSchemaStructure(const AnsiString& code) {
  const StructureCode* entry = qn::catalogue::findStructure(structureCodes(), code);
  if (!entry || !entry->hasSchema) return nullptr;
  auto structure = std::make_unique<TQNFileStructure>();
  int index = 0;
  for (const auto& f : entry->fields) {
    switch (f.kind) {
      case StructureFieldKind::Text: NewStringField(*structure, f.name, index, f.control, f.offset, f.size); break;
      case StructureFieldKind::Packed:
        NewPackedField(*structure, f.name, index, f.control, f.decimals, f.offset, f.size);
        break;
      case StructureFieldKind::Date: NewDateField(*structure, f.name, index, f.control, f.offset, f.size); break;
    }
    ++index;
  }
  if (entry->bufferLength)
    structure->SetBufferLength(*entry->bufferLength);
  else
    structure->FitBufferToRecord();
  return structure;
}

bool IsStructureCode(const AnsiString& code) { return qn::catalogue::findStructure(structureCodes(), code) != nullptr; }

std::optional<int> BareBufferLength(const AnsiString& code) {
  const StructureCode* entry = qn::catalogue::findStructure(structureCodes(), code);
  return entry ? entry->bareLength : std::nullopt;
}
