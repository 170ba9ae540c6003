#pragma once
// TdcTbTable: the application's record-manager table. It publishes the library's per-field
// properties (control types and picture masks) and, unless told not to, refuses to post a record
// whose field text does not fill its picture mask.
#include "datagrid/ExtensionProperties.h"
#include "framework/base/PublishedProperties.h"
#include "framework/base/StringList.h"
#include "recordmgr/Sessions.h"

class TdcTbTable : public TtbTable {
  QN_PUBLISHED_CLASS(TdcTbTable, TtbTable)
 public:
  explicit TdcTbTable(TComponent* owner);

  TStrings* ControlType() { return &controlType_; }
  // Copies the given list; the table keeps its own.
  void SetControlType(TStrings* value);
  TStrings* PictureMasks() { return &pictureMasks_; }
  void SetPictureMasks(TStrings* value);
  bool ValidateWithMask() const { return validateWithMask_; }
  void SetValidateWithMask(bool value) { validateWithMask_ = value; }

  TdcInvalidValueEvent OnInvalidValue;

 protected:
  // The application's BeforePost runs first, then the mask check.
  void DoBeforePost() override;

 private:
  StringList controlType_;
  StringList pictureMasks_;
  bool validateWithMask_ = true;
};
