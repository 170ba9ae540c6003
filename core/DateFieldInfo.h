#pragma once
// A date field holding a record-file date (six digits YYMMDD, the year counted from 1980; see
// FileDates.h). A stored text that is no date reads as today; a date the field cannot hold
// (before 1980, after 2079) leaves the field as it was.
#include "core/FieldInfo.h"

class TDateFieldInfo : public TFieldInfo {
  QN_CLASS(TDateFieldInfo, TFieldInfo)
 public:
  char OrderLetter = 'D';      // 'D' day first, 'M' month first, 'Y' year first
  bool FourDigitYear = false;
  AnsiString DisplayText = "xx/xx/xx";  // the last display text made

  // The stored date as a date variant; a variant is written as the date it converts to.
  Variant GetAsVariant() override;
  void SetAsVariant(const Variant& v) override;
  // Stores the six characters unchanged (fitted to the field's width).
  void SetAsString(const AnsiString& s) override;
  TDateTime GetAsDate() override;
  void SetAsDate(TDateTime d) override;

  AnsiString GetRawDate() const { return Text; }
  // The stored date as the forms show it, in OrderLetter's order joined with the system's date
  // separator, with a four- or two-digit year; eight blanks for a blank date, "xx/xx/xx" for
  // text that is no date. Kept in DisplayText.
  AnsiString GetDisplayText();
};
