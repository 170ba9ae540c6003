#pragma once
// TBlobField and its kinds: data kept outside the record buffer (memo text, formatted text,
// pictures, binary data). BlobType says which; controls show "(Memo)", "(Blob)", "(Graphic)"...,
// in capitals when the field holds data.
#include "framework/db/Field.h"

class TStream;
class TStrings;

class TBlobField : public TField {
  QN_CLASS(TBlobField, TField)
 public:
  explicit TBlobField(TComponent* owner = nullptr);
  TFieldType BlobType() const { return DataType(); }
  void SetBlobType(TFieldType type) { SetDataType(type); }
  // Set when the field's data was written through a blob stream since the record was read.
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }
  // The bytes of the current record's blob, through the dataset's blob stream.
  int BlobSize() const;
  AnsiString AsString() const override;
  void SetAsString(const AnsiString& v) override;
  Variant AsVariant() const override;
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;
  // The lines of a string list, as its Text.
  void Assign(const TStrings& lines);

 protected:
  void CheckSize(int size) const override;
  AnsiString GetText(bool displayText) const override;

 private:
  bool modified_ = false;
};

class TMemoField : public TBlobField {
  QN_CLASS(TMemoField, TBlobField)
 public:
  explicit TMemoField(TComponent* owner = nullptr);
};

class TGraphicField : public TBlobField {
  QN_CLASS(TGraphicField, TBlobField)
 public:
  explicit TGraphicField(TComponent* owner = nullptr);
};
