#include "editors/DBDateTimePicker.h"

#include <cmath>
#include <utility>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/ExtensionProperties.h"
#include "datagrid/DrawingHelpers.h"
#include "datagrid/FieldTextTests.h"
#include "datagrid/Intl.h"
#include "editors/DateTimeError.h"
#include "editors/PopupCalendar.h"
#include "framework/base/ClassRegistry.h"
#include "framework/base/DateFormat.h"
#include "framework/base/DateParse.h"
#include "framework/base/Locale.h"
#include "framework/base/UnitLifecycle.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/db/DateTimeFields.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/Clipboard.h"
#include "framework/ui/Color.h"
#include "framework/ui/DropDownWindow.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenFacts.h"

const EnumerationType kdcDTEditDataTypeType{"TdcDTEditDataType", {"dcDTEdtDateTime", "dcDTEdtDate", "dcDTEdtTime"}};
const EnumerationType kDTDateFormatType{"TDTDateFormat", {"dfShort", "dfLong"}};
const EnumerationType kdcDTCalAlignmentType{"TdcDTCalAlignment", {"dcdtaLeft", "dcdtaRight", "dcdtaCenter"}};

namespace {

UnitRegistration unit("editors/DBDateTimePicker", {}, [] { RegisterClass<TdcDBDateTimePicker>(); });

TDateTime wholeDays(TDateTime Value) { return std::trunc(Value); }
TDateTime timeOfDay(TDateTime Value) { return std::fabs(Value - std::trunc(Value)); }

bool insideDBGrid(const TControl* control) {
  return control->Parent() && ClassInheritsFromName(control->Parent()->ClassInfo(), "TdcDBGrid");
}

bool insideFocusedDBGrid(const TControl* control) { return insideDBGrid(control) && control->Parent()->Focused(); }

}  // namespace

// ---- the options and the button ----

void TdcCalendarOptions::PublishProperties(PropertyPublisher<TdcCalendarOptions>& publish) {
  using Self = TdcCalendarOptions;
  publish.Enumeration("Alignment", kdcDTCalAlignmentType, &Self::Alignment, &Self::Alignment);
  publish.Object("Colors", [](Self& o) { return o.Colors(); },
                 [](Self& o, TdcDateTimeColors* v) { o.Colors()->Assign(v); });
  publish.Object("Font", [](Self& o) { return o.Font(); }, [](Self& o, TFont* v) { o.Font()->Assign(v); });
  publish.Set("Options", kdcMonthOptionType, &Self::Options, &Self::Options);
  publish.Object("PopupYearOptions", [](Self& o) { return o.PopupYearOptions(); },
                 [](Self& o, TdcPopupYearOptions* v) { o.PopupYearOptions()->Assign(v); });
  publish.Enumeration("FirstDayOfWeek", kdcCalDayOfWeekType, &Self::FirstDayOfWeek, &Self::FirstDayOfWeek);
}

TdcCalendarOptions::TdcCalendarOptions() = default;

void TdcCalendarOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdcCalendarOptions*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  Alignment = source->Alignment;
  Options = source->Options;
  FirstDayOfWeek = source->FirstDayOfWeek;
  Width = source->Width;
  Height = source->Height;
  colors_.Assign(&source->colors_);
  font_.Assign(&source->font_);
  yearOptions_.Assign(&source->yearOptions_);
}

void TdcDateComboButton::Paint() {
  auto* picker = dynamic_cast<TControl*>(Owner());
  DrawDropDownButton(canvas(), ClientRect(), State() == bsDown, picker ? picker->ControlState() : ControlState(),
                     Enabled());
}

// ---- the picker ----

void TdcDBCustomDateTimePicker::PublishProperties(PropertyPublisher<TdcDBCustomDateTimePicker>& publish) {
  using Self = TdcDBCustomDateTimePicker;
  publish.Object("DataSource", &Self::DataSource, &Self::SetDataSource);
  publish.String("DataField", &Self::DataField, &Self::SetDataField);
  publish.Boolean("ReadOnly", &Self::ReadOnly, &Self::SetReadOnly);
  publish.Integer("Epoch", &Self::Epoch, &Self::SetEpoch);
  publish.Boolean("ShowButton", &Self::ShowButton, &Self::SetShowButton);
  publish.Float("Date", [](Self& p) { return p.Date(); }, [](Self& p, double v) { p.SetDate(v); });
  publish.Float("Time", [](Self& p) { return p.Time(); }, [](Self& p, double v) { p.SetTime(v); });
  publish.Float("MinDate", &Self::MinDate, &Self::SetMinDate);
  publish.Float("MaxDate", &Self::MaxDate, &Self::SetMaxDate);
  publish.String("DisplayFormat", &Self::DisplayFormat, &Self::SetDisplayFormat);
  publish.Enumeration("DateFormat", kDTDateFormatType, &Self::DateFormat, &Self::SetDateFormat);
  publish.Enumeration("UnboundDataType", kdcDTEditDataTypeType, &Self::UnboundDataType, &Self::SetUnboundDataType);
  publish.Object("CalendarAttributes", [](Self& p) { return p.CalendarAttributes(); },
                 [](Self& p, TdcCalendarOptions* v) { p.CalendarAttributes()->Assign(v); });
  publish.Boolean("Intavo", &Self::Intavo);
  publish.Event("OnDropDown", &Self::OnDropDown, &Self::OnDropDown);
  publish.Event("OnCloseUp", &Self::OnCloseUp, &Self::OnCloseUp);
}

void TdcDBDateTimePicker::PublishProperties(PropertyPublisher<TdcDBDateTimePicker>&) {}

TdcDBCustomDateTimePicker::TdcDBCustomDateTimePicker(TComponent* AOwner)
    : TCustomEdit(AOwner),
      epoch_(dcIntlDefaults->DefaultEpochYear),
      panel_(new TWinControl(this)),
      button_(new TdcDateComboButton(this)) {
  link_.SetControl(this);
  link_.OnDataChange = [this] { dataChange(); };
  link_.OnUpdateData = [this] { updateData(); };
  link_.OnEditingChange = [this] { SetReadOnlyWindow(!CanEditValue()); };
  const int scrollWidth = qn::ui::screenFacts().verticalScrollBarWidth;
  panel_->SetBounds(0, 0, std::max(scrollWidth + 4, 17), 17);
  panel_->SetParent(this);
  panel_->SetTabStop(false);
  button_->SetBounds(0, 0, std::max(scrollWidth, 15), 17);
  button_->SetParent(panel_);
  button_->OnClick = [this](TObject*) { buttonClick(); };
  // A press on the button moves no focus: it ends the typing, whether or not a click follows.
  button_->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { applyPendingDigits(); };
  SetPaintHandler([this](Canvas& c) { return paintSelf(c); });
  layoutButton();
}

TdcDBCustomDateTimePicker::~TdcDBCustomDateTimePicker() {
  dropDown_.reset();
  link_.SetDataSource(nullptr);
}

void TdcDBCustomDateTimePicker::SetDataSource(TDataSource* Value) {
  link_.SetDataSource(Value);
  if (!Value) dataChange();
}

void TdcDBCustomDateTimePicker::SetDataField(const AnsiString& Value) {
  if (Value.empty()) unboundDataType_ = dcDTEdtDateTime;
  link_.SetFieldName(Value);
  if (!link_.Field()) dataChange();
  layoutButton();
}

void TdcDBCustomDateTimePicker::SetReadOnly(bool Value) {
  link_.SetReadOnly(Value);
  SetReadOnlyWindow(!CanEditValue());
}

void TdcDBCustomDateTimePicker::SetReadOnlyWindow(bool Value) { TCustomEdit::SetReadOnly(Value); }

void TdcDBCustomDateTimePicker::SetDateFormat(TDTDateFormat Value) {
  if (dateFormat_ == Value) return;
  dateFormat_ = Value;
  redisplay();
}

void TdcDBCustomDateTimePicker::SetDisplayFormat(const AnsiString& Value) {
  if (displayFormat_ == Value) return;
  displayFormat_ = Value;
  redisplay();
}

void TdcDBCustomDateTimePicker::SetUnboundDataType(TdcDTEditDataType Value) {
  if (unboundDataType_ == Value) return;
  unboundDataType_ = Value;
  layoutButton();
  redisplay();
}

// ---- what kind of picker, and its texts ----

TdcDBCustomDateTimePicker::Kind TdcDBCustomDateTimePicker::kind() {
  TField* field = link_.Field();
  if (dynamic_cast<TTimeField*>(field)) return Kind::time;
  if (dynamic_cast<TDateField*>(field)) return Kind::date;
  if (dynamic_cast<TDateTimeField*>(field)) {
    if (hasExplicitFormat()) {
      const AnsiString format = ExpandDateTimeFormat(effectiveFormat());
      if (DateTimeDisplaySections(format, 0, true, false).empty()) return Kind::time;
    }
    return Kind::dateTime;
  }
  if (field) return Kind::dateTime;
  switch (unboundDataType_) {
    case dcDTEdtDate: return Kind::date;
    case dcDTEdtTime: return Kind::time;
    default: return Kind::dateTime;
  }
}

bool TdcDBCustomDateTimePicker::hasExplicitFormat() {
  if (!displayFormat_.empty()) return true;
  auto* field = dynamic_cast<TDateTimeField*>(link_.Field());
  return field && !field->DisplayFormat().empty();
}

AnsiString TdcDBCustomDateTimePicker::effectiveFormat() {
  if (!displayFormat_.empty()) return displayFormat_;
  if (auto* field = dynamic_cast<TDateTimeField*>(link_.Field()); field && !field->DisplayFormat().empty())
    return field->DisplayFormat();
  const LocaleSettings& locale = Locale();
  const bool longForm = dateFormat_ == dfLong;
  switch (kind()) {
    case Kind::time: return longForm ? locale.LongTimeFormat : locale.ShortTimeFormat;
    case Kind::date: return longForm ? locale.LongDateFormat : locale.ShortDateFormat;
    default: return longForm ? locale.LongDateFormat + " " + locale.LongTimeFormat : AnsiString("c");
  }
}

bool TdcDBCustomDateTimePicker::defaultCFormat() { return kind() == Kind::dateTime && effectiveFormat() == "c"; }

AnsiString TdcDBCustomDateTimePicker::textOf(TDateTime Value) {
  if (wholeDays(Value) == 0 && !isTimeOnly()) return "";
  if (!hasExplicitFormat() && dateFormat_ == dfLong && timeOfDay(Value) == 0)
    return FormatDateTime(Locale().LongDateFormat, Value);
  return FormatDateTime(effectiveFormat(), Value);
}

std::vector<DateTimeSection> TdcDBCustomDateTimePicker::Sections() {
  const Kind k = kind();
  return DateTimeDisplaySections(sectionFormat(), value_, k != Kind::time, k != Kind::date);
}

int TdcDBCustomDateTimePicker::shownSectionCount() {
  const std::vector<DateTimeSection> sections = Sections();
  const int length = static_cast<int>(textOf(value_).size());
  int count = 0;
  for (const DateTimeSection& s : sections)
    if (s.start < length) ++count;
  return count;
}

TDateTime TdcDBCustomDateTimePicker::effectiveMin() const {
  return wholeDays(minDate_) == 0 ? EncodeDate(1899, 12, 31) : minDate_;
}

TDateTime TdcDBCustomDateTimePicker::effectiveMax() const {
  return wholeDays(maxDate_) == 0 ? EncodeDate(9999, 12, 31) : maxDate_;
}

TDateTime TdcDBCustomDateTimePicker::fieldValue() const {
  TField* field = link_.Field();
  return field && !field->IsNull() ? field->AsDateTime() : 0;
}

bool TdcDBCustomDateTimePicker::required() const { return link_.Field() && link_.Field()->Required(); }

// ---- the value ----

TDateTime TdcDBCustomDateTimePicker::Date() {
  applyPendingDigits();
  return isTimeOnly() ? 0 : value_;
}

void TdcDBCustomDateTimePicker::SetDate(TDateTime Value) {
  if (isTimeOnly()) return;
  if (!link_.Field() && Value == 0) {
    storeValue(0);
    return;
  }
  const TDateTime next = wholeDays(Value) != wholeDays(value_) ? wholeDays(Value) + timeOfDay(value_) : value_;
  if (next != 0) {
    try {
      CheckDateWithinLimits(next, minDate_, maxDate_);
    } catch (...) {
      redisplay();
      throw;
    }
  }
  storeValue(next);
}

TDateTime TdcDBCustomDateTimePicker::Time() {
  applyPendingDigits();
  return isDateOnly() ? 0 : value_;
}

void TdcDBCustomDateTimePicker::SetTime(TDateTime Value) {
  if (isDateOnly()) return;
  if (!link_.Field() && Value == 0) {
    storeValue(0);
    return;
  }
  if (timeOfDay(Value) == timeOfDay(value_)) return;
  storeValue(wholeDays(value_) + timeOfDay(Value));
}

void TdcDBCustomDateTimePicker::SetMaxDate(TDateTime Value) {
  if (minDate_ != 0 && Value != 0 && DayBefore(Value, minDate_)) RaiseDateBelowMinimum(minDate_);
  maxDate_ = Value;
}

void TdcDBCustomDateTimePicker::SetMinDate(TDateTime Value) {
  if (maxDate_ != 0 && Value != 0 && DayAfter(Value, maxDate_)) RaiseDateAboveMaximum(maxDate_);
  minDate_ = Value;
}

void TdcDBCustomDateTimePicker::storeValue(TDateTime Value) {
  TField* field = link_.Field();
  if ((field || Value != 0) && Value == value_) return;
  if (!field && Value == 0) cleared_ = false;
  const bool check = (Value != 0 || isTimeOnly()) && !(field && field->Calculated()) && wholeDays(Value) != 0;
  std::exception_ptr refused;
  if (check) {
    try {
      CheckDateWithinLimits(Value, minDate_, maxDate_);
    } catch (...) {
      refused = std::current_exception();
    }
  }
  value_ = Value;
  redisplay();
  if (refused) std::rethrow_exception(refused);
}

void TdcDBCustomDateTimePicker::storeParts(int Year, int Month, int Day, int Hour, int Minute, int Second, int Msec) {
  Day = std::min(Day, DaysInAMonth(Year, Month));
  TDateTime date;
  TDateTime time = EncodeTime(Hour, Minute, Second, Msec);
  if (!TryEncodeDate(Year, Month, Day, date) || DayAfter(date, effectiveMax()) || DayBefore(date, effectiveMin())) {
    if (!isTimeOnly()) {
      redisplay();
      return;
    }
  }
  storeValue(isTimeOnly() ? wholeDays(value_) + time : date + time);
}

void TdcDBCustomDateTimePicker::redisplay() {
  AnsiString text;
  TField* field = link_.Field();
  if (field && field->IsNull() && value_ == 0 && !IsDroppedDown()) text = "";
  else if (!field && value_ == 0 && cleared_) text = "";
  else text = textOf(value_);
  if (typing_) {
    const std::vector<DateTimeSection> sections = Sections();
    if (section_ >= 1 && section_ <= static_cast<int>(sections.size())) {
      const DateTimeSection& s = sections[section_ - 1];
      // The section shows the digits typed so far in place of its value.
      if (s.start <= static_cast<int>(text.size()))
        text = text.substr(0, s.start) + pending_ + text.substr(std::min<size_t>(text.size(), s.start + s.length));
    }
  }
  if (text != Text()) {
    const bool modified = Modified();
    SetText(text);
    SetModified(modified);
  }
  if (Focused()) selectSection();
  Invalidate();
}

void TdcDBCustomDateTimePicker::selectSection() {
  if (IsDroppedDown()) {
    SetSelLength(0);
    return;
  }
  if (!CanEditValue()) {
    SelectAll();
    return;
  }
  const std::vector<DateTimeSection> sections = Sections();
  if (sections.empty() || Text().empty()) {
    SetSelStart(0);
    SetSelLength(0);
    return;
  }
  section_ = std::clamp(section_, 1, std::max(1, shownSectionCount()));
  const DateTimeSection& s = sections[section_ - 1];
  const int length = typing_ ? static_cast<int>(pending_.size()) : s.length;
  SetSelStart(s.start);
  SetSelLength(length);
}

void TdcDBCustomDateTimePicker::markModified() {
  SetModified(true);
  link_.Modified();
}

// ---- the record ----

bool TdcDBCustomDateTimePicker::BeginFieldEdit() {
  link_.Edit();
  return link_.Editing();
}

bool TdcDBCustomDateTimePicker::CanEditValue() {
  if (ReadOnly()) return false;
  TField* field = link_.Field();
  TDataSource* source = link_.DataSource();
  if (!source) return true;
  if (!field) return false;
  if (field->ReadOnly() || !field->DataSet() || !field->DataSet()->CanModify()) return false;
  if (!source->AutoEdit() && !link_.Editing()) return false;
  return true;
}

void TdcDBCustomDateTimePicker::dataChange() {
  TField* field = link_.Field();
  typing_ = false;
  pending_.clear();
  if (!field) {
    alignment_ = taLeftJustify;
    value_ = 0;
    redisplay();
    return;
  }
  alignment_ = field->Alignment();
  value_ = fieldValue();
  redisplay();
}

void TdcDBCustomDateTimePicker::updateData() {
  TField* field = link_.Field();
  if (!field || ReadOnly() || !Modified()) return;
  if (!link_.Editing() && !IsCalculatedOrLookupField(field)) return;
  TDateTime value = value_;
  const TDateTime old = fieldValue();
  if (isDateOnly() && value != 0) value = wholeDays(value) + timeOfDay(old);
  else if (isTimeOnly() && !dynamic_cast<TTimeField*>(field)) value = wholeDays(old) + timeOfDay(value);
  if (value != 0) field->SetAsDateTime(value);
  else if (cleared_) field->Clear();
}

// ---- focus ----

void TdcDBCustomDateTimePicker::DoEnter() {
  focused_ = true;
  if (link_.Field()) dataChange();
  if (insideDBGrid(this)) section_ = 1;
  entryValue_ = value_;
  const bool autoSelect = AutoSelect();
  SetAutoSelect(false);
  TCustomEdit::DoEnter();
  SetAutoSelect(autoSelect);
  redisplay();
  selectSection();
}

void TdcDBCustomDateTimePicker::DoExit() {
  applyPendingDigits();
  if (Modified()) {
    const bool modified = Modified();
    try {
      link_.UpdateRecord();
    } catch (...) {
      selectSection();
      SetFocus();
      SetModified(modified);
      throw;
    }
  }
  TCustomEdit::DoExit();
  focused_ = false;
  if (IsDroppedDown()) CloseUp(true);
  // Made again at the next drop-down, with the options as they are then.
  delete std::exchange(calendar_, nullptr);
  dropDown_.reset();
  Invalidate();
}

void TdcDBCustomDateTimePicker::Change() {
  if (Text().empty()) value_ = isTimeOnly() ? wholeDays(value_) : timeOfDay(value_);
  if (Modified()) link_.Modified();
  TCustomEdit::Change();
}

// ---- clipboard ----

void TdcDBCustomDateTimePicker::CutToClipboard() {
  if (!CanEditValue() || !BeginFieldEditIfBound()) return;
  Clipboard::SetAsText(Text());
  value_ = 0;
  cleared_ = true;
  typing_ = false;
  pending_.clear();
  redisplay();
  markModified();
}

void TdcDBCustomDateTimePicker::PasteFromClipboard() {
  if (!CanEditValue()) return;
  const AnsiString text = Clipboard::AsText();
  TDateTime value;
  bool converts = isTimeOnly() ? TryStrToTime(text, value) : TryStrToDateTime(text, value) || TryStrToDate(text, value);
  if (!converts || !BeginFieldEditIfBound()) {
    redisplay();
    return;
  }
  typing_ = false;
  pending_.clear();
  storeValue(value);
  markModified();
}

bool TdcDBCustomDateTimePicker::BeginFieldEditIfBound() { return !link_.DataSource() || BeginFieldEdit(); }

// ---- mouse ----

void TdcDBCustomDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || Text().empty() || !Focused()) return;
  applyPendingDigits();
  const AnsiString text = Text();
  const std::vector<DateTimeSection> sections = Sections();
  TRect rect;
  GetEditRect(rect);
  const int x = X - rect.Left;
  const int shown = shownSectionCount();
  int chosen = 1;
  for (int i = 0; i < shown; ++i) {
    const int left = MeasuredTextWidth(Font(), text.substr(0, sections[i].start));
    if (x >= left) chosen = i + 1;
  }
  section_ = chosen;
  selectSection();
}

void TdcDBCustomDateTimePicker::DblClick() {
  TCustomEdit::DblClick();
  SelectAll();
}

// ---- the button and the edit rectangle ----

void TdcDBCustomDateTimePicker::SetShowButton(bool Value) {
  showButton_ = Value;
  layoutButton();
}

void TdcDBCustomDateTimePicker::layoutButton() {
  if (!panel_ || !button_) return;
  panel_->SetVisible(showButton_ && !isTimeOnly());
  const int width = panel_->Width();
  const bool bordered = BorderStyle() != bsNone;
  // The program runs with new-style controls.
  const int left = bordered && Ctl3D() ? Width() - width - 4 : Width() - width;
  panel_->SetBounds(left, 0, width, ClientHeight());
  if (bordered) button_->SetBounds(0, 0, button_->Width(), panel_->Height());
  else button_->SetBounds(0, -1, button_->Width(), panel_->Height() + 1);
  SetEditRect();
}

void TdcDBCustomDateTimePicker::GetEditRect(TRect& Rect) {
  const int m = BorderStyle() != bsNone ? 0 : insideDBGrid(this) ? 2 : 1;
  const int right = panel_->Visible() ? panel_->Left() - 2 : ClientWidth() - 2;
  Rect = {m, m, right, ClientHeight() + 1};
}

void TdcDBCustomDateTimePicker::SetEditRect() {
  TRect rect;
  GetEditRect(rect);
  setEditRect(rect);
}

void TdcDBCustomDateTimePicker::BoundsChanged() {
  TCustomEdit::BoundsChanged();
  layoutButton();
}

void TdcDBCustomDateTimePicker::BorderChanged() {
  TCustomEdit::BorderChanged();
  layoutButton();
}

void TdcDBCustomDateTimePicker::EnabledChanged() {
  TCustomEdit::EnabledChanged();
  button_->SetEnabled(Enabled());
}

void TdcDBCustomDateTimePicker::FontChanged() {
  TCustomEdit::FontChanged();
  SetEditRect();
}

void TdcDBCustomDateTimePicker::Loaded() {
  TCustomEdit::Loaded();
  layoutButton();
  redisplay();
}

// ---- painting ----

bool TdcDBCustomDateTimePicker::paintSelf(Canvas& ACanvas) {
  const bool copy = IsPaintCopyState();
  const bool focusedGrid = insideFocusedDBGrid(this);
  if (Focused() && CaretAllowed() && !focusedGrid && !copy) return false;
  ACanvas.SetFont(Font());
  if (!Enabled() && Color() != clInactiveCaption) ACanvas.Font()->SetColor(clInactiveCaption);
  const TRect client = ClientRect();
  ACanvas.Brush = {Color(), BrushStyle::solid};
  ACanvas.fillRect(client);
  TField* field = link_.Field();
  AnsiString text;
  if (copy) text = field && !field->IsNull() ? textOf(field->AsDateTime()) : AnsiString();
  else if (Modified() || !field) text = Text();
  else if (field->IsNull() || value_ != 0) text = field->IsNull() ? AnsiString() : textOf(field->AsDateTime());
  else text = textOf(0);
  const bool border = BorderStyle() != bsNone;
  const bool highlight = !copy && (focusedGrid || (Focused() && !CaretAllowed()));
  TRect editRect;
  GetEditRect(editRect);
  if (highlight) {
    const int inset = border ? 1 : 0;
    const TRect marked{editRect.Left + inset, editRect.Top + inset, editRect.Right, editRect.Bottom - 1 - inset};
    ACanvas.Brush = {clHighlight, BrushStyle::solid};
    ACanvas.Font()->SetColor(clHighlightText);
    ACanvas.fillRect(marked);
    ACanvas.DrawFocusRect(marked);
  }
  if (Tag() == 99999999) return true;
  const int margin = border ? 3 : focusedGrid ? 2 : 1;
  int left = margin + (insideDBGrid(this) ? 1 : 0) - (copy ? 1 : 0);
  const int right = panel_->Visible() ? GetButtonLeft() - margin : Width() - margin;
  const int width = ACanvas.textWidth(text);
  if (alignment_ == taRightJustify) left = right - width;
  else if (alignment_ == taCenter) left = (Width() - (panel_->Visible() ? GetButtonWidth() : 0) - width) / 2;
  ACanvas.drawTextClipped({0, 0, right, Height()}, left, border ? 3 : 1, text);
  return true;
}

// ---- the drop-down ----

bool TdcDBCustomDateTimePicker::IsDroppedDown() { return dropDown_ && dropDown_->isOpen(); }

void TdcDBCustomDateTimePicker::DropDown() {
  if (IsDroppedDown() || !CanEditValue()) return;
  dropValue_ = value_;
  applyPendingDigits();
  if (!calendar_) {
    calendar_ = new TdcPopupCalendar(this);
    dropDown_ = std::make_unique<DropDownWindow>(this, calendar_);
    // A press outside while the year menu is open is the menu's; the calendar's menus take the
    // activation while they show, which is no leaving of the picker.
    dropDown_->OnPressOutside = [this](TPoint) {
      if (!(calendar_->YearMenu() && calendar_->YearMenu()->Showing())) CloseUp(true);
    };
    // The focus comes back from the menu: a later leaving must still close the calendar.
    dropDown_->OnCancelMode = [this] {
      if (calendar_->MenuShowing()) dropDown_->rearmCancelMode();
      else CloseUp(true);
    };
  }
  TdcCalendarOptions& o = calendarOptions_;
  calendar_->CalColors()->Assign(o.Colors());
  calendar_->OnCalcBoldDay = OnCalcBoldDay;
  calendar_->SetOptions(o.Options);
  calendar_->SetMinDate(0);
  calendar_->SetMaxDate(maxDate_);
  calendar_->SetMinDate(minDate_);
  calendar_->Font()->Assign(o.Font());
  calendar_->PopupYearOptions()->Assign(o.PopupYearOptions());
  calendar_->SetFirstDayOfWeek(o.FirstDayOfWeek);
  if (value_ == 0 && Text().empty()) {
    cleared_ = false;
    storeValue(wholeDays(Now()));
  }
  calendar_->SetDate(value_);
  calendar_->SetTime(value_);
  if (OnDropDown) OnDropDown(this);
  savedShowHint_ = ShowHint();
  SetShowHint(false);
  const TPoint least = calendar_->FittedSize();
  const int width = std::max(least.X, o.Width);
  const int height = std::max(least.Y, o.Height);
  const TPoint corner = ClientToScreen({0, 0});
  int left = corner.X;
  if (o.Alignment == dcdtaRight) left = corner.X + (panel_->Visible() ? panel_->Left() : Width()) - width;
  else if (o.Alignment == dcdtaCenter) left = corner.X + (Width() - width) / 2;
  if (left + width > Screen->workArea().Right) left = corner.X + Width() - width;
  dropDown_->open(width, height, left);
  selectSection();
}

void TdcDBCustomDateTimePicker::calendarChanged() {
  if (!CanEditValue() || !BeginFieldEditIfBound()) return;
  markModified();
  SetDate(calendar_->Date());
}

void TdcDBCustomDateTimePicker::CloseUp(bool Accept) {
  if (!IsDroppedDown() || closingUp_) return;
  closingUp_ = true;
  dropDown_->close();
  if (Accept) {
    if (CanEditValue() && wholeDays(calendar_->Date()) != wholeDays(value_) && BeginFieldEditIfBound()) {
      markModified();
      SetDate(calendar_->Date());
    }
  } else {
    value_ = dropValue_;
    redisplay();
  }
  if (OnCloseUp) OnCloseUp(this);
  SetShowHint(savedShowHint_);
  selectSection();
  closingUp_ = false;
}

void TdcDBCustomDateTimePicker::buttonClick() {
  if (IsDroppedDown()) {
    CloseUp(true);
    return;
  }
  if (CanFocus() && !Focused()) SetFocus();
  if (Focused()) DropDown();
}
