#include "editors/DBSpinEdit.h"

#include <cctype>
#include <cmath>

#include "datagrid/DateTextHelpers.h"
#include "datagrid/DateTimeParts.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/DateFormat.h"
#include "framework/base/FloatText.h"
#include "framework/base/IntegerText.h"
#include "framework/base/Locale.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/Field.h"
#include "framework/db/NumericFields.h"
#include "framework/ui/Beep.h"
#include "framework/ui/VirtualKeys.h"

namespace {

UnitRegistration unit("editors/DBSpinEdit", {}, [] { RegisterClass<TdcDBSpinEdit>(); });

// The first run of digits and thousands separators, the separators left out.
AnsiString firstDigitRun(const AnsiString& text) {
  const char thousands = Locale().ThousandSeparator;
  AnsiString run;
  size_t i = 0;
  while (i < text.size() && !std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  for (; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == thousands); ++i)
    if (text[i] != thousands) run += text[i];
  return run;
}

}  // namespace

void TdcDBSpinEdit::PublishProperties(PropertyPublisher<TdcDBSpinEdit>& publish) {
  publish.Boolean("EditorEnabled", &TdcDBSpinEdit::EditorEnabled, &TdcDBSpinEdit::SetEditorEnabled);
  publish.Float("Increment", &TdcDBSpinEdit::Increment, &TdcDBSpinEdit::SetIncrement);
  publish.Float("MaxValue", &TdcDBSpinEdit::MaxValue, &TdcDBSpinEdit::SetMaxValue);
  publish.Float("MinValue", &TdcDBSpinEdit::MinValue, &TdcDBSpinEdit::SetMinValue);
  publish.Float("Value", [](TdcDBSpinEdit& e) { return e.Value(); },
                [](TdcDBSpinEdit& e, double v) { e.SetValue(v); });
}

TdcDBSpinEdit::TdcDBSpinEdit(TComponent* AOwner) : TdcDBCustomEdit(AOwner), button_(new TdcSpinButton(this)) {
  button_->SetBounds(0, 0, 15, 17);
  button_->SetParent(this);
  button_->OnUpClick = [this](TObject*) { UpClick(); };
  button_->OnDownClick = [this](TObject*) { DownClick(); };
  SetText("0");
  layoutButton();
}

void TdcDBSpinEdit::Loaded() {
  TdcDBCustomEdit::Loaded();
  DateTimeContent content;
  if (!Field() && HasDateTimeContent(content) && Text() == "0") SetText("");
}

double TdcDBSpinEdit::CheckValue(double Value) const {
  if (minValue_ == 0 && maxValue_ == 0) return Value;
  if (Value < minValue_) return minValue_;
  if (Value > maxValue_) return maxValue_;
  return Value;
}

double TdcDBSpinEdit::Value() {
  const AnsiString text = Text();
  if (text.empty()) return minValue_;
  TField* field = Field();
  DateTimeContent content;
  if (dynamic_cast<TFloatField*>(field) || dynamic_cast<TIntegerField*>(field)) {
    const bool integer = dynamic_cast<TIntegerField*>(field) != nullptr;
    double value;
    if (integer ? IsIntegerText(text) : IsFloatText(text)) {
      if (TryStrToFloat(text, value)) return value;
    }
    const AnsiString run = firstDigitRun(text);
    return !run.empty() && TryStrToFloat(run, value) ? value : minValue_;
  }
  if (HasDateTimeContent(content)) {
    switch (content) {
      case DateTimeContent::date:
        return IsDateText(text) ? DateTextToValue(text) : minValue_;
      case DateTimeContent::time:
        return IsTimeText(text) ? TimeTextToValue(text) : minValue_;
      case DateTimeContent::dateTime: {
        if (IsDateText(text)) return DateTextToValue(text);
        if (IsDateTimeText(text)) return DateTimeTextToValue(text);
        int pos = 1;
        TDateTime date;
        return ScanDateText(text, pos, date) ? date : minValue_;
      }
    }
  }
  double value;
  return IsFloatText(text) && TryStrToFloat(text, value) ? value : minValue_;
}

void TdcDBSpinEdit::SetValue(double Value) {
  Value = CheckValue(Value);
  TField* field = Field();
  DateTimeContent content;
  AnsiString text;
  if (dynamic_cast<TIntegerField*>(field)) {
    text = std::to_string(static_cast<long long>(std::trunc(Value)));
  } else if (!dynamic_cast<TFloatField*>(field) && HasDateTimeContent(content)) {
    const double timeOfDay = Value - std::floor(Value);
    if (content == DateTimeContent::date) text = DateToStr(Value);
    else if (content == DateTimeContent::time) text = TimeToStr(Value);
    else if (!field && timeOfDay == 0) text = DateToStr(Value) + " " + TimeToStr(0);
    else text = DateTimeToStr(Value);
  } else {
    text = FloatToStr(Value);
  }
  SetText(text);
}

void TdcDBSpinEdit::UpClick() { step(1); }
void TdcDBSpinEdit::DownClick() { step(-1); }

void TdcDBSpinEdit::step(int Direction) {
  if (CanFocus()) SetFocus();
  if (!EditCanModify() || ReadOnly() || (Field() && Field()->ReadOnly())) {
    Beep();
    return;
  }
  DateTimeContent content;
  if (!HasDateTimeContent(content)) {
    SetValue(Value() + Direction * increment_);
    MarkModified();
    return;
  }
  const bool timeOnly = content == DateTimeContent::time;
  const int part = GetDateTimePartAtCaret(SelStart(), Text(), timeOnly);
  const double value = Value();
  const double date = std::floor(value);
  const double timeOfDay = value - date;
  int year, month, day, hour, minute, second, msec;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, msec);
  if (part <= dtpYear) {
    if (part == dtpDay) day = Direction > 0 ? NextDayOfMonth(year, month, day) : PrevDayOfMonth(year, month, day);
    else if (part == dtpMonth) month = Direction > 0 ? month % 12 + 1 : (month + 10) % 12 + 1;
    else year += Direction;
    TDateTime stepped = 0;
    bool valid = TryEncodeDateParts(year, month, day, stepped);
    while (!valid && day > 28) valid = TryEncodeDateParts(year, month, --day, stepped);
    // Outside the years 1 to 9999 there is no date to step to.
    if (!valid) {
      Beep();
      return;
    }
    SetValue(ComposeDateTime(stepped, timeOfDay));
  } else {
    if (part == dtpHour) hour = (hour + Direction + 24) % 24;
    else if (part == dtpMinute) minute = (minute + Direction + 60) % 60;
    else if (part == dtpSecond) second = (second + Direction + 60) % 60;
    else hour = (hour + 12) % 24;
    TDateTime time;
    if (!TryEncodeTimeParts(hour, minute, second, msec, time)) return;
    SetValue(timeOnly ? time : ComposeDateTime(date, time));
  }
  SelectDateTimePart(part, *this, timeOnly);
  MarkModified();
}

bool TdcDBSpinEdit::IsValidChar(char Key) {
  const unsigned char code = static_cast<unsigned char>(Key);
  if (!editorEnabled_ && (Key == '\b' || code >= 32)) return false;
  DateTimeContent content;
  if (HasDateTimeContent(content)) return true;
  return code < 32 || Key == '+' || Key == '-' || std::isdigit(code) || Key == Locale().DecimalSeparator;
}

void TdcDBSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (Key == VK_UP || Key == VK_DOWN) {
    const int length = static_cast<int>(Text().size());
    const bool allSelected = SelStart() == 0 && SelLength() >= length;
    if (!ParentGrid() || !allSelected || Shift.Contains(ssAlt)) {
      if (Key == VK_UP) UpClick();
      else DownClick();
      Key = 0;
      return;
    }
  }
  if (Key == VK_DELETE && !editorEnabled_) {
    Key = 0;
    Beep();
    return;
  }
  TdcDBCustomEdit::KeyDown(Key, Shift);
}

void TdcDBSpinEdit::KeyPress(char& Key) {
  if (Key != 0 && !IsValidChar(Key)) {
    Key = 0;
    Beep();
    return;
  }
  TdcDBCustomEdit::KeyPress(Key);
}

void TdcDBSpinEdit::CutToClipboard() {
  if (editorEnabled_ && !ReadOnly()) TdcDBCustomEdit::CutToClipboard();
}

void TdcDBSpinEdit::PasteFromClipboard() {
  if (editorEnabled_ && !ReadOnly()) TdcDBCustomEdit::PasteFromClipboard();
}

void TdcDBSpinEdit::DoExit() {
  const double value = Value();
  // Only a changed text is limited: a stored value the focus merely passed over stays as it is.
  if (CheckValue(value) != value && (Modified() || !Field())) {
    SetValue(value);
    MarkModified();
  }
  TdcDBCustomEdit::DoExit();
}

void TdcDBSpinEdit::SetEditRect() {
  const int m = BorderStyle() == bsNone ? 2 : 0;
  setEditRect({m, m, ClientWidth() - GetButtonWidth() - 2, ClientHeight()});
}

void TdcDBSpinEdit::BoundsChanged() {
  TdcDBCustomEdit::BoundsChanged();
  layoutButton();
}

void TdcDBSpinEdit::BorderChanged() {
  TdcDBCustomEdit::BorderChanged();
  layoutButton();
}

void TdcDBSpinEdit::layoutButton() {
  if (!button_) return;
  const int width = button_->Width();
  if (BorderStyle() != bsNone && Ctl3D()) {
    button_->SetBounds(Width() - width - 4, 0, width, Height() - 3);
  } else {
    const int top = ParentGrid() ? 0 : 1;
    button_->SetBounds(Width() - width, top, width, Height() - top);
  }
}
