#include "datagrid/FieldPictureMasks.h"

#include <optional>

#include "datagrid/ExtensionLines.h"
#include "datagrid/Intl.h"
#include "datagrid/PictureValidator.h"
#include "datagrid/StringHelpers.h"
#include "framework/base/Strings.h"
#include "framework/db/DataSet.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/Field.h"

namespace {

AnsiString leadingName(const AnsiString& line) { return line.substr(0, line.find('\t')); }

// The refusal text; the built-in one when the library's texts are not set up.
AnsiString pictureValidateError() {
  if (dcIntlDefaults) return dcIntlDefaults->UserMessages()->PictureValidateError;
  return TdcUserMessagesIntl().PictureValidateError;
}

}  // namespace

FieldPictureMask GetFieldPictureMask(const TObject* DataSet, const AnsiString& FieldName) {
  const TStrings* list = GetPictureMaskList(DataSet);
  if (!list) return {};
  for (int i = 0; i < list->Count(); ++i) {
    const std::optional<PictureMaskLine> line = ReadPictureMaskLine(list->Strings(i));
    if (line && StrEqualNoCase(line->FieldName, FieldName)) return {line->Mask, line->AutoFill, line->UseInGrid};
  }
  return {};
}

void SetFieldPictureMask(TObject* DataSet, const AnsiString& FieldName, const AnsiString& Mask, bool SetUseInGrid,
                         bool SetAutoFill, bool SetMask, bool UseInGrid, bool AutoFill) {
  TStrings* list = GetPictureMaskList(DataSet);
  if (!list) return;
  int found = -1;
  for (int i = 0; i < list->Count() && found < 0; ++i)
    if (StrEqualNoCase(leadingName(list->Strings(i)), FieldName)) found = i;
  PictureMaskLine line;
  if (found >= 0) {
    if (const std::optional<PictureMaskLine> old = ReadPictureMaskLine(list->Strings(found))) line = *old;
  }
  line.FieldName = FieldName;
  if (SetMask) line.Mask = Mask;
  if (SetAutoFill) line.AutoFill = AutoFill;
  if (SetUseInGrid) line.UseInGrid = UseInGrid;
  if (line.Mask.empty()) {
    if (found >= 0) list->Delete(found);
    return;
  }
  const std::optional<AnsiString> text = WritePictureMaskLine(line);
  if (!text) return;
  if (found >= 0)
    list->Put(found, *text);
  else
    list->Add(*text);
}

bool IsTextCompleteForMask(const AnsiString& Mask, const AnsiString& Text) {
  if (Text.empty()) return true;
  TdcPictureValidator validator(Mask, false);
  AnsiString copy = Text;
  return validator.Picture(copy, false) == picComplete;
}

void ValidatePictureMasks(TDataSet* DataSet, const TdcInvalidValueEvent& OnInvalidValue) {
  if (!DataSet) return;
  for (int i = 0; i < DataSet->FieldCount(); ++i) {
    TField* field = DataSet->Fields()[i];
    const AnsiString mask = GetFieldPictureMask(DataSet, field->FieldName()).Mask;
    if (mask.empty() || IsTextCompleteForMask(mask, field->Text()) || field->ReadOnly()) continue;
    field->FocusControl();
    if (OnInvalidValue) OnInvalidValue(DataSet, field);
    DatabaseError(pictureValidateError() + field->DisplayName());
  }
}

void NotifyDesignerModified(TObject*) {}
