#include "framework/db/FieldFactory.h"

#include "framework/base/ClassRegistry.h"
#include "framework/base/FormatText.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/BinaryFields.h"
#include "framework/db/BlobField.h"
#include "framework/db/BooleanField.h"
#include "framework/db/DatabaseError.h"
#include "framework/db/DateTimeFields.h"
#include "framework/db/NumericFields.h"
#include "framework/db/StringField.h"

namespace {

UnitRegistration unit("framework/db/FieldFactory", {}, [] {
  RegisterClass<TStringField>();
  RegisterClass<TSmallintField>();
  RegisterClass<TIntegerField>();
  RegisterClass<TWordField>();
  RegisterClass<TAutoIncField>();
  RegisterClass<TLargeintField>();
  RegisterClass<TBooleanField>();
  RegisterClass<TFloatField>();
  RegisterClass<TCurrencyField>();
  RegisterClass<TBCDField>();
  RegisterClass<TDateField>();
  RegisterClass<TTimeField>();
  RegisterClass<TDateTimeField>();
  RegisterClass<TBytesField>();
  RegisterClass<TVarBytesField>();
  RegisterClass<TBlobField>();
  RegisterClass<TMemoField>();
  RegisterClass<TGraphicField>();
});

TField* NewField(const TFieldDef& def, TComponent* owner) {
  switch (def.DataType) {
    case ftString:
    case ftFixedChar: {
      auto* f = new TStringField(owner);
      f->SetSize(def.Size);
      f->SetFixedChar(def.DataType == ftFixedChar);
      return f;
    }
    case ftSmallint: return new TSmallintField(owner);
    case ftInteger: return new TIntegerField(owner);
    case ftWord: return new TWordField(owner);
    case ftAutoInc: return new TAutoIncField(owner);
    case ftLargeint: return new TLargeintField(owner);
    case ftBoolean: return new TBooleanField(owner);
    case ftFloat: return new TFloatField(owner);
    case ftCurrency: return new TCurrencyField(owner);
    case ftBCD: {
      auto* f = new TBCDField(owner);
      f->SetSize(def.Size);
      if (def.Precision > 0) f->SetPrecision(def.Precision);
      return f;
    }
    case ftDate: return new TDateField(owner);
    case ftTime: return new TTimeField(owner);
    case ftDateTime: return new TDateTimeField(owner);
    case ftBytes: {
      auto* f = new TBytesField(owner);
      f->SetSize(def.Size);
      return f;
    }
    case ftVarBytes: {
      auto* f = new TVarBytesField(owner);
      f->SetSize(def.Size);
      return f;
    }
    case ftMemo: return new TMemoField(owner);
    case ftGraphic: return new TGraphicField(owner);
    case ftBlob:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary: {
      auto* f = new TBlobField(owner);
      f->SetBlobType(def.DataType);
      return f;
    }
    default: DatabaseError(Format(dbtext::kFieldTypeNotSupported, {def.Name}));
  }
}

}  // namespace

bool HasFieldClass(TFieldType type) {
  switch (type) {
    case ftUnknown:
    case ftCursor:
    case ftWideString:
    case ftADT:
    case ftArray:
    case ftReference:
    case ftDataSet: return false;
    default: return true;
  }
}

TField* CreateFieldOfType(const TFieldDef& def, TComponent* owner) {
  TField* f = NewField(def, owner);
  f->SetFieldName(def.Name);
  f->SetFieldNo(def.FieldNo);
  f->SetRequired(def.Required() && def.DataType != ftAutoInc);
  f->SetReadOnly((def.Attributes & faReadonly) != 0);
  if (def.InternalCalcField) f->SetFieldKind(fkInternalCalc);
  if (IsBlobType(def.DataType)) f->SetSize(def.Size);
  return f;
}
