#include "datagrid/DBPicture.h"

#include "datagrid/ExtensionProperties.h"
#include "datagrid/FieldPictureMasks.h"
#include "framework/base/Component.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"

void TdcDBPicture::PublishProperties(PropertyPublisher<TdcDBPicture>& publish) {
  publish.String("PictureMask", &TdcDBPicture::PictureMask, &TdcDBPicture::SetPictureMask);
  publish.Boolean("AutoFill", &TdcDBPicture::AutoFill, &TdcDBPicture::SetAutoFill);
  publish.Boolean("AllowInvalidExit", &TdcDBPicture::AllowInvalidExit, &TdcDBPicture::SetAllowInvalidExit);
}

TdcDBPicture::TdcDBPicture(TComponent* Owner) : owner_(Owner) {}

TObject* TdcDBPicture::boundDataSet() const {
  if (!owner_ || !ClassInheritsFromName(owner_->ClassInfo(), "TdcDBCustomEdit")) return nullptr;
  auto* source = dynamic_cast<TDataSource*>(GetDataSourceOf(owner_));
  if (!source || !source->DataSet() || GetDataFieldOf(owner_).empty()) return nullptr;
  return source->DataSet();
}

AnsiString TdcDBPicture::boundFieldName() const { return GetDataFieldOf(owner_); }

bool TdcDBPicture::PictureIsBound() const { return boundDataSet() != nullptr; }

AnsiString TdcDBPicture::PictureMask() const {
  if (const TObject* ds = boundDataSet()) return GetFieldPictureMask(ds, boundFieldName()).Mask;
  return pictureMask_;
}

void TdcDBPicture::SetPictureMask(const AnsiString& Value) {
  pictureMask_ = Value;
  if (TObject* ds = boundDataSet()) {
    SetFieldPictureMask(ds, boundFieldName(), Value, false, false, true, false, false);
    NotifyDesignerModified(owner_);
  }
}

bool TdcDBPicture::AutoFill() const {
  if (const TObject* ds = boundDataSet()) {
    const FieldPictureMask line = GetFieldPictureMask(ds, boundFieldName());
    if (!line.Mask.empty()) return line.AutoFill;
  }
  return autoFill_;
}

void TdcDBPicture::SetAutoFill(bool Value) {
  autoFill_ = Value;
  if (TObject* ds = boundDataSet()) SetFieldPictureMask(ds, boundFieldName(), {}, false, true, false, false, Value);
}

bool TdcDBPicture::AllowInvalidExit() const { return !PictureIsBound() && allowInvalidExit_; }

void TdcDBPicture::SetAllowInvalidExit(bool Value) {
  if (!PictureIsBound()) allowInvalidExit_ = Value;
}

void TdcDBPicture::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdcDBPicture*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  SetPictureMask(other->PictureMask());
  SetAutoFill(other->AutoFill());
}
