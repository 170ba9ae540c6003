#include "framework/db/BlobField.h"

#include <memory>
#include <vector>

#include "framework/base/FileStream.h"
#include "framework/base/FormatText.h"
#include "framework/base/Strings.h"
#include "framework/base/TextCase.h"
#include "framework/db/DataSet.h"
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

int TBlobField::BlobSize() const {
  std::unique_ptr<TStream> stream(DataSet()->CreateBlobStream(const_cast<TBlobField*>(this), bmRead));
  return static_cast<int>(stream->Size());
}

AnsiString TBlobField::AsString() const {
  if (!DataSet()) DatabaseError(Format(dbtext::kNoDataSet, {DisplayName()}));
  std::unique_ptr<TStream> stream(DataSet()->CreateBlobStream(const_cast<TBlobField*>(this), bmRead));
  AnsiString bytes(static_cast<size_t>(stream->Size()), '\0');
  stream->SetPosition(0);
  bytes.resize(static_cast<size_t>(stream->Read(bytes.data(), static_cast<int64_t>(bytes.size()))));
  return bytes;
}

void TBlobField::SetAsString(const AnsiString& v) {
  if (!DataSet()) DatabaseError(Format(dbtext::kNoDataSet, {DisplayName()}));
  std::unique_ptr<TStream> stream(DataSet()->CreateBlobStream(this, bmWrite));
  stream->WriteBuffer(v.data(), static_cast<int64_t>(v.size()));
}

Variant TBlobField::AsVariant() const {
  if (IsNull()) return {};
  return AsString();
}

void TBlobField::LoadFromStream(TStream& source) {
  std::unique_ptr<TStream> stream(DataSet()->CreateBlobStream(this, bmWrite));
  source.SetPosition(0);
  stream->CopyFrom(source, 0);
}

void TBlobField::SaveToStream(TStream& target) const {
  std::unique_ptr<TStream> stream(DataSet()->CreateBlobStream(const_cast<TBlobField*>(this), bmRead));
  if (stream->Size() > 0) target.CopyFrom(*stream, 0);
}

void TBlobField::LoadFromFile(const std::string& path) {
  FileStream file(path, fmOpenRead);
  LoadFromStream(file);
}

void TBlobField::SaveToFile(const std::string& path) const {
  FileStream file(path, fmCreate);
  SaveToStream(file);
}

void TBlobField::Assign(const TStrings& lines) {
  SetAsString(lines.Text());
}
