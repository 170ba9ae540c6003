#pragma once
// What the rich-text edit offers the grid: loading a blob field's content, after which the
// control's Text is the field's plain text. The load is a read: it must not be refused as a
// change of protected text.
class TField;

class BlobFieldLoader {
 public:
  virtual ~BlobFieldLoader() = default;
  virtual void LoadFromBlobField(TField* Field) = 0;
};
