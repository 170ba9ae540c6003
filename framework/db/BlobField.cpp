#include "framework/db/BlobField.h"

#include "framework/base/FormatText.h"
#include "framework/base/TextCase.h"
#include "framework/db/DatabaseError.h"

TBlobField::TBlobField(TComponent* owner) : TField(owner) {
  SetDataType(ftBlob);
}

TMemoField::TMemoField(TComponent* owner) : TBlobField(owner) {
  SetDataType(ftMemo);
}

TGraphicField::TGraphicField(TComponent* owner) : TBlobField(owner) {
  SetDataType(ftGraphic);
}

void TBlobField::CheckSize(int size) const {
  if (size < 0) DatabaseError(Format("Invalid field size %d", {size}), this);
}

AnsiString TBlobField::GetText(bool displayText) const {
  const char* kind = "(Blob)";
  switch (BlobType()) {
    case ftMemo: kind = "(Memo)"; break;
    case ftFmtMemo: kind = "(Formatted Memo)"; break;
    case ftGraphic: kind = "(Graphic)"; break;
    case ftParadoxOle:
    case ftDBaseOle: kind = "(OLE)"; break;
    default: break;
  }
  return IsNull() ? AnsiString(kind) : UpperCase(kind);
}
