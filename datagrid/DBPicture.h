#pragma once
// TdcDBPicture: the picture settings of a masked edit (its mask, whether typing fills the mask's
// literals, whether the focus may leave a text that fails the mask). It lives as long as the edit
// that owns it. For any owner but a data-aware custom edit the three are the object's own values.
// A data-aware custom edit bound to a field (its DataSource has a DataSet and its DataField is
// set) keeps nothing here: mask and auto-fill are the dataset's PictureMasks line of the field,
// and the focus never leaves a failing text. The owner is reached only through its published
// properties, so the editing controls built above this library take part without being known.
#include "framework/base/AnsiString.h"
#include "framework/base/Persistent.h"
#include "framework/base/PublishedProperties.h"

class TComponent;

class TdcDBPicture : public TPersistent {
  QN_PUBLISHED_CLASS(TdcDBPicture, TPersistent)
 public:
  // Owner is not owned: the edit owns the picture.
  explicit TdcDBPicture(TComponent* Owner);

  TComponent* Owner() const { return owner_; }
  bool PictureIsBound() const;

  AnsiString PictureMask() const;
  void SetPictureMask(const AnsiString& Value);
  bool AutoFill() const;
  void SetAutoFill(bool Value);
  bool AllowInvalidExit() const;
  void SetAllowInvalidExit(bool Value);

  // Copies mask and auto-fill from another picture.
  void Assign(TPersistent* Source) override;

 private:
  // The bound dataset and field name; nullptr when not bound.
  TObject* boundDataSet() const;
  AnsiString boundFieldName() const;

  TComponent* owner_;
  AnsiString pictureMask_;
  bool autoFill_ = true;
  bool allowInvalidExit_ = false;
};
