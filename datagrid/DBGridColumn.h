#pragma once
// TdcColumn: what the data-aware grid keeps per data column besides the field map: the field it
// shows and the text of its footer cell.
#include "framework/base/AnsiString.h"

class TdcCustomDBGrid;

class TdcColumn {
 public:
  TdcColumn(TdcCustomDBGrid* Grid, const AnsiString& FieldName) : grid_(Grid), fieldName_(FieldName) {}

  const AnsiString& FieldName() const { return fieldName_; }
  const AnsiString& FooterValue() const { return footerValue_; }
  // A changed text repaints the footer; the grid's stand-by column (no field) keeps none.
  void SetFooterValue(const AnsiString& Value);

 private:
  friend class TdcCustomDBGrid;
  TdcCustomDBGrid* grid_;
  AnsiString fieldName_;
  AnsiString footerValue_;
};
