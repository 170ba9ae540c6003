#pragma once
// One named field of a fixed-length record: where it lies (1-based offset, size), its raw bytes
// (Text, always Size bytes long) and its conversions. The base converts nothing: its getters give
// empty values (today for a date) and its setters raise EAbort naming the type ("float"), so a
// caller that writes a field through the wrong type stops instead of storing garbage.
#include <cstdint>

#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"
#include "framework/base/Object.h"
#include "framework/db/Variant.h"
#include "framework/ui/Control.h"

// How a field is shown in the forms that bind it.
enum TFieldControlKind : uint8_t {
  fckDateTimePicker = 0,
  fckTextControl = 1,
  fckFormattedNumber = 4,
  fckNone = 5,
};

class TFieldInfo : public TObject {
  QN_CLASS(TFieldInfo, TObject)
 public:
  AnsiString Name;
  uint8_t ControlKind = fckNone;
  int Size = 0;
  int Offset = 0;  // 1-based position of the field's first byte in the record
  AnsiString Text;
  // The control an unpack shows the field in while the structures bind to controls; a freed
  // control is forgotten.
  ControlRef BoundControl;

  // Binds Control (null unbinds). A control without the published property the field's kind
  // writes ("Date" for a date-time picker, "Text" otherwise), and any control for a field shown
  // in none, is refused with EInvalidOperation.
  void BindControl(TControl* Control);
  // Shows the field in its bound control when it exists, is enabled and is visible.
  void ShowInBoundControl();

  virtual int64_t GetAsInteger();
  // Size := n; Text is cut or zero-filled to n bytes.
  virtual void SetSize(int n);
  virtual Variant GetAsVariant();
  virtual void SetAsVariant(const Variant& v);
  virtual double GetAsFloat();
  virtual void SetAsFloat(double x);
  virtual AnsiString GetAsString();
  virtual void SetAsString(const AnsiString& s);
  virtual TDateTime GetAsDate();
  virtual void SetAsDate(TDateTime d);
};
