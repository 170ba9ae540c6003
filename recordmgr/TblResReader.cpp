#include "recordmgr/TblResReader.h"

#include <algorithm>
#include <cstring>

#include "framework/base/Exception.h"
#include "framework/ui/Application.h"
#include "framework/ui/Dialogs.h"
#include "platform/os/Resources.h"
#include "recordmgr/BaseTable.h"
#include "recordmgr/EngineError.h"
#include "recordmgr/FieldCache.h"
#include "recordmgr/FieldDescriptor.h"
#include "resources/reader/LayoutResource.h"

namespace {

// Layout names longer than this are not looked for beyond it.
constexpr size_t kLayoutNameLength = 255;

FieldDescriptor descriptorOf(const qn::catalogue::LayoutResourceField& field) {
  FieldDescriptor descriptor;
  std::memset(&descriptor, 0, sizeof descriptor);
  descriptor.FieldNumber = field.fieldNumber;
  std::memcpy(descriptor.FieldName, field.name.data(), std::min(field.name.size(), FieldDescriptor::NameSize - 1));
  descriptor.FieldType = field.fieldType;
  descriptor.FieldSubType = field.subType;
  descriptor.FieldUnits1 = static_cast<int16_t>(field.units1);
  descriptor.FieldUnits2 = static_cast<int16_t>(field.units2);
  descriptor.Offset = field.offset;
  descriptor.FieldLength = field.length;
  return descriptor;
}

}  // namespace

AnsiString TTblResReader::Version() const { return AnsiString(qn::catalogue::kLayoutVersion); }

AnsiString TTblResReader::Terminator() const { return AnsiString(qn::catalogue::kLayoutTerminator); }

bool TTblResReader::Read(const AnsiString& LayoutName) {
  const AnsiString name = LayoutName.substr(0, kLayoutNameLength);
  const auto bytes = qn::os::findResource(name, qn::catalogue::kLayoutResourceKind);
  return bytes && ReadLayout(name, *bytes);
}

bool TTblResReader::ReadLayout(const AnsiString& LayoutName, std::string_view Bytes) {
  using qn::catalogue::LayoutDecodeOutcome;
  const AnsiString name = LayoutName.substr(0, kLayoutNameLength);
  const qn::catalogue::LayoutDecodeResult decoded = qn::catalogue::decodeLayoutResource(Bytes);
  switch (decoded.outcome) {
    case LayoutDecodeOutcome::Read: break;
    case LayoutDecodeOutcome::OldFormat:
      MessageDlg("Error - Resource [" + name + "]  in old format. Re-compile with RESMAIN.EXE", mtError, {mbOK}, 0);
      if (Application) Application->Terminate();
      return false;
    case LayoutDecodeOutcome::UnknownVersion: return false;
    case LayoutDecodeOutcome::VersionNotANumber: throw EConvertError(AnsiString(decoded.error));
    case LayoutDecodeOutcome::Damaged:
      RaiseEngineErrorText(DBIERR_INVALIDRECSTRUCT, "Layout " + name + ": " + AnsiString(decoded.error));
  }

  TKorvoFieldCache* cache = Table()->FieldCache();
  for (const qn::catalogue::LayoutResourceField& field : decoded.layout->fields)
    new TFieldCacheItem(cache, field.localSize, field.localType, field.fieldNumber, descriptorOf(field));
  return true;
}
