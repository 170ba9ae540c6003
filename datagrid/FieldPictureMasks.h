#pragma once
// The picture mask of a field: the PictureMasks list of a dataset or control, read and rewritten
// by field name (line format in ExtensionLines.h), and the check of every mask before a post.
#include "datagrid/ExtensionProperties.h"
#include "framework/base/AnsiString.h"

class TObject;
class TDataSet;

struct FieldPictureMask {
  AnsiString Mask;
  bool AutoFill = true;
  bool UseInGrid = true;
};

// The first valid line of the field (compared without case); no mask and both flags True when
// there is none.
FieldPictureMask GetFieldPictureMask(const TObject* DataSet, const AnsiString& FieldName);
// Rewrites the field's line: each part whose Set flag is False keeps its old value. An empty
// resulting mask deletes the line; with no line and a mask, one is appended.
void SetFieldPictureMask(TObject* DataSet, const AnsiString& FieldName, const AnsiString& Mask, bool SetUseInGrid,
                         bool SetAutoFill, bool SetMask, bool UseInGrid, bool AutoFill);
// True for an empty Text, else whether the text fills the mask (nothing is filled in).
bool IsTextCompleteForMask(const AnsiString& Mask, const AnsiString& Text);
// Before a post: the first field, in field order, whose text does not fill its mask and that is
// not read-only gets the focus, OnInvalidValue is called, and the post is refused with a database
// error naming the field. Field values are never changed.
void ValidatePictureMasks(TDataSet* DataSet, const TdcInvalidValueEvent& OnInvalidValue);

// Tells the form's designer that a control rewrote a mask while the form was being designed.
// Forms are never designed while the program runs, so there is nobody to tell.
void NotifyDesignerModified(TObject* Component);
