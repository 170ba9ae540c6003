#include "core/FieldInfo.h"

#include "core/PacDecFieldInfo.h"
#include "framework/base/Exception.h"
#include "framework/base/NumberFormat.h"
#include "framework/base/PublishedProperties.h"

namespace {

// A stored date of blanks or zero bytes is no date: the control is cleared, not given today.
bool blankText(const AnsiString& text) {
  return text.find_first_not_of(AnsiString(" \0", 2)) == AnsiString::npos;
}

}  // namespace

void TFieldInfo::BindControl(TControl* Control) {
  if (Control) {
    const bool picker = ControlKind == fckDateTimePicker;
    const PropertyInfo* property = FindPublishedProperty(Control, picker ? "Date" : "Text");
    const bool fits = ControlKind != fckNone && property &&
                      property->kind == (picker ? PropertyKind::Float : PropertyKind::String);
    if (!fits) throw EInvalidOperation("Field " + Name + " cannot be shown in a " + Control->ClassName());
  }
  BoundControl = ControlRef(Control);
}

void TFieldInfo::ShowInBoundControl() {
  TControl* control = BoundControl.get();
  if (!control || !control->Enabled() || !control->Visible()) return;
  switch (ControlKind) {
    case fckDateTimePicker:
      WriteFloatProperty(control, "Date", blankText(Text) ? 0.0 : GetAsDate());
      break;
    case fckTextControl:
      WriteStringProperty(control, "Text", GetAsString());
      break;
    case fckFormattedNumber:
      if (auto* number = dynamic_cast<TPacDecFieldInfo*>(this))
        WriteStringProperty(control, "Text", FormatFloat(number->DisplayMask, number->GetAsFloat()));
      break;
    default:
      break;
  }
}

int64_t TFieldInfo::GetAsInteger() { return 0; }

void TFieldInfo::SetSize(int n) {
  Size = n;
  Text.resize(n, '\0');
}

Variant TFieldInfo::GetAsVariant() { return Variant(AnsiString()); }

void TFieldInfo::SetAsVariant(const Variant&) { throw EAbort("variant"); }

double TFieldInfo::GetAsFloat() { return 0; }

void TFieldInfo::SetAsFloat(double) { throw EAbort("float"); }

AnsiString TFieldInfo::GetAsString() { return {}; }

void TFieldInfo::SetAsString(const AnsiString&) { throw EAbort("string"); }

TDateTime TFieldInfo::GetAsDate() { return Date(); }

void TFieldInfo::SetAsDate(TDateTime) { throw EAbort("date"); }
