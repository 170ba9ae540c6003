// The date-time picker's keys: moving between sections, stepping a section, Home and End on it,
// typing digits and letters into it, deleting, and the keys a picker inside the library's grid
// hands to the grid.
#include <cctype>
#include <cmath>

#include "datagrid/CustomDBGrid.h"
#include "datagrid/ExtensionProperties.h"
#include "editors/DBDateTimePicker.h"
#include "editors/DateTimeError.h"
#include "editors/PopupCalendar.h"
#include "framework/base/Locale.h"
#include "framework/db/DateTimeFields.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/VirtualKeys.h"

namespace {

struct Parts {
  int year, month, day, hour, minute, second, msec;
  explicit Parts(TDateTime value) {
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, msec);
  }
};

TDateTime wholeDays(TDateTime Value) { return std::trunc(Value); }
TDateTime timeOfDay(TDateTime Value) { return std::fabs(Value - std::trunc(Value)); }

bool startsWithLetter(const AnsiString& name, char letter) {
  return !name.empty() && std::toupper(static_cast<unsigned char>(name[0])) == std::toupper(static_cast<unsigned char>(letter));
}

// 0 Sunday .. 6 Saturday, as DayOfWeek - 1.
int weekdayIndex(TDateTime date) { return DayOfWeek(date) - 1; }

}  // namespace

TdcCustomDBGrid* TdcDBCustomDateTimePicker::parentDBGrid() const {
  return ClassInheritsFromName(Parent() ? Parent()->ClassInfo() : nullptr, "TdcDBGrid")
             ? dynamic_cast<TdcCustomDBGrid*>(Parent())
             : nullptr;
}

TWantedKeys TdcDBCustomDateTimePicker::WantedKeys() const {
  TWantedKeys keys = TCustomEdit::WantedKeys();
  keys.Include(wkArrows);
  auto* self = const_cast<TdcDBCustomDateTimePicker*>(this);
  if (self->IsDroppedDown() || Modified() || typing_) keys.Include(wkEscape);
  if (self->IsDroppedDown() || typing_) keys.Include(wkReturn);
  if (const TdcCustomDBGrid* grid = self->parentDBGrid()) {
    keys.Include(wkReturn);
    if (grid->DBOptions().Contains(dgTabs)) keys.Include(wkTab);
  }
  return keys;
}

bool TdcDBCustomDateTimePicker::gridKeyDown(WORD& Key, TShiftState Shift) {
  TdcCustomDBGrid* grid = parentDBGrid();
  if (!grid) return false;
  const int length = static_cast<int>(Text().size());
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool alt = Shift.Contains(ssAlt);
  const bool allSelected = SelStart() == 0 && SelLength() >= length;
  const bool atStart = SelStart() == 0 && SelLength() == 0;
  const bool atEnd = SelStart() >= length && SelLength() == 0;
  const bool alwaysEditor = grid->DBOptions().Contains(dgAlwaysShowEditor);
  const bool editable = CanEditValue();
  const bool toGrid = [&] {
    switch (Key) {
      case VK_ESCAPE: return !Modified();
      case VK_PRIOR: case VK_NEXT: return !alt;
      case VK_UP: case VK_DOWN: return ctrl || allSelected;
      case VK_LEFT: return (alwaysEditor && (ctrl || atStart)) || !editable;
      case VK_RIGHT: return (alwaysEditor && (ctrl || atEnd)) || !editable;
      case VK_HOME: return (alwaysEditor && (ctrl || (allSelected && SelStart() == 0))) || !editable;
      case VK_END: return (alwaysEditor && (ctrl || allSelected)) || !editable;
      case VK_INSERT: return !Shift.Contains(ssShift);
      case VK_DELETE: return ctrl;
      case VK_RETURN: return true;
      case VK_TAB: return grid->DBOptions().Contains(dgTabs);
      default: return false;
    }
  }();
  if (toGrid) {
    if (Key == VK_RETURN || Key == VK_TAB) applyPendingDigits();
    grid->SetFocus();
    if (grid->Focused()) static_cast<TWinControl*>(grid)->KeyDown(Key, Shift);
    Key = 0;
    return true;
  }
  if (grid->OnKeyDown) grid->OnKeyDown(grid, Key, Shift);
  if (Key == VK_F2) {
    if (CaretAllowed()) SetSelLength(0);
    section_ = 1;
    selectSection();
    Key = 0;
    return true;
  }
  return Key == 0;
}

void TdcDBCustomDateTimePicker::KeyDown(WORD& Key, TShiftState Shift) {
  // The form's own handler first: it may change the key or drop it.
  TWinControl::KeyDown(Key, Shift);
  if (!Key) return;
  const bool alt = Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
  const bool ctrl = Shift.Contains(ssCtrl);
  // 1: the drop-down.
  if (!alt && (Key == VK_RETURN || Key == VK_ESCAPE) && IsDroppedDown()) {
    swallowEscape_ = Key == VK_ESCAPE;
    CloseUp(Key == VK_RETURN);
    Key = 0;
    return;
  }
  if (alt && (Key == VK_UP || Key == VK_DOWN)) {
    if (IsDroppedDown()) CloseUp(true);
    else DropDown();
    Key = 0;
    return;
  }
  if (Key == VK_TAB && IsDroppedDown()) CloseUp(true);
  if (IsDroppedDown()) {
    const TDateTime shown = calendar_->Date();
    calendar_->TakePickerKey(Key, Shift);
    Key = 0;
    if (calendar_->Date() != shown) calendarChanged();
    return;
  }
  // 2: the grid's keys.
  if (gridKeyDown(Key, Shift)) return;
  const int length = static_cast<int>(Text().size());
  const bool allSelected = length > 0 && SelStart() == 0 && SelLength() >= length;
  if (Key == VK_BACK && !allSelected) Key = VK_LEFT;
  // Copying changes nothing.
  if (ctrl && (Key == 'C' || Key == VK_INSERT)) {
    CopyToClipboard();
    Key = 0;
    return;
  }
  const bool cut = (ctrl && Key == 'X') || (Shift.Contains(ssShift) && Key == VK_DELETE);
  const bool paste = (ctrl && Key == 'V') || (Shift.Contains(ssShift) && Key == VK_INSERT);
  if (cut || paste) {
    if (cut) CutToClipboard();
    else PasteFromClipboard();
    Key = 0;
    return;
  }
  // 3: a required field keeps its value.
  if (required() && (Key == VK_DELETE || Key == VK_BACK)) {
    const bool dropsTime = Key == VK_BACK && defaultCFormat() && Text() == textOf(value_) && timeOfDay(value_) != 0;
    if (!dropsTime) {
      Key = 0;
      return;
    }
  }
  // 4: nothing changes a picker that cannot be edited.
  if (!CanEditValue()) {
    SetReadOnlyWindow(true);
    Key = 0;
    return;
  }
  SetReadOnlyWindow(false);
  if (Key == VK_ESCAPE) {
    Key = 0;
    swallowEscape_ = true;
    if (link_.Field()) link_.Reset();
    else value_ = entryValue_;
    typing_ = false;
    pending_.clear();
    SetModified(false);
    redisplay();
    SelectAll();
    if (TdcCustomDBGrid* grid = parentDBGrid()) grid->SetFocus();
    return;
  }
  // 5: an empty picker starts from now.
  const bool fills = Key == VK_BACK || Key == VK_SPACE || Key == VK_DELETE || (Key >= '0' && Key <= '9') ||
                     (Key >= 'A' && Key <= 'Z') || (Key >= VK_NUMPAD0 && Key <= VK_DIVIDE) ||
                     (Key >= VK_OEM_1 && Key <= 0xC0) || (Key >= 0xDB && Key <= 0xDF);
  if (fills && !ctrl && !alt) fillEmpty();
  // 7: the section keys.
  bool changed = true;
  switch (Key) {
    case VK_RIGHT:
    case VK_SPACE:
      nextSection();
      changed = false;
      break;
    case VK_LEFT:
      applyPendingDigits();
      section_ = std::max(1, section_ - 1);
      changed = false;
      break;
    case VK_UP:
    case VK_DOWN:
      if (!BeginFieldEditIfBound()) break;
      applyPendingDigits();
      stepSection(Key == VK_UP ? 1 : -1);
      break;
    case VK_HOME:
    case VK_END:
      if (!BeginFieldEditIfBound()) break;
      applyPendingDigits();
      homeEndSection(Key == VK_END);
      break;
    case VK_DELETE:
    case VK_BACK:
      if (!BeginFieldEditIfBound()) break;
      deleteValue();
      break;
    default:
      return;
  }
  Key = 0;
  if (changed) markModified();
  selectSection();
}

bool TdcDBCustomDateTimePicker::fillEmpty() {
  if (!Text().empty() || value_ != 0 || !BeginFieldEditIfBound()) return false;
  const TDateTime now = Now();
  cleared_ = false;
  storeValue(isTimeOnly() ? timeOfDay(now) : isDateOnly() ? wholeDays(now) : wholeDays(now));
  section_ = 1;
  markModified();
  selectSection();
  return true;
}

void TdcDBCustomDateTimePicker::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (!Key) return;
  const unsigned char code = static_cast<unsigned char>(Key);
  if (swallowEscape_ && Key == 27) {
    swallowEscape_ = false;
    Key = 0;
    return;
  }
  swallowEscape_ = false;
  if (Key == '\r') {
    applyPendingDigits();
    Key = 0;
    return;
  }
  if (Key == '\t' && parentDBGrid()) {
    Key = 0;
    return;
  }
  if (code < 32 || code == 127) {
    Key = 0;
    return;
  }
  const char typed = Key;
  Key = 0;
  if (!CanEditValue() || IsDroppedDown() || typed == ' ') return;
  const LocaleSettings& locale = Locale();
  if (typed == locale.DateSeparator || typed == locale.TimeSeparator) {
    nextSection();
    selectSection();
    return;
  }
  if (!BeginFieldEditIfBound()) return;
  if (typed == '+' || typed == '=' || typed == '-') {
    applyPendingDigits();
    stepSection(typed == '-' ? -1 : 1);
  } else if (std::isdigit(code)) {
    typeDigit(typed - '0');
    return;
  } else if (!std::isalpha(code) || !typeLetter(typed)) {
    return;
  }
  markModified();
  selectSection();
}

void TdcDBCustomDateTimePicker::nextSection() {
  applyPendingDigits();
  const int shown = shownSectionCount();
  if (section_ < shown) {
    ++section_;
    return;
  }
  const std::vector<DateTimeSection> sections = Sections();
  // The default format shows no time at midnight: moving on from the date brings the clock's.
  if (defaultCFormat() && section_ < static_cast<int>(sections.size()) && timeOfDay(value_) == 0 &&
      sections[section_].kind >= DateTimeSectionKind::hour) {
    const TDateTime now = Now();
    storeValue((value_ == 0 ? wholeDays(now) : wholeDays(value_)) + timeOfDay(now));
    markModified();
    ++section_;
  }
}

// ---- stepping ----

void TdcDBCustomDateTimePicker::stepSection(int Direction) {
  const std::vector<DateTimeSection> sections = Sections();
  if (section_ < 1 || section_ > static_cast<int>(sections.size())) return;
  const DateTimeSectionKind kind = sections[section_ - 1].kind;
  Parts p(value_);
  TDateTime next = value_;
  const TDateTime time = timeOfDay(value_);
  switch (kind) {
    case DateTimeSectionKind::ampm: p.hour = (p.hour + 12) % 24; break;
    case DateTimeSectionKind::hour: p.hour = (p.hour + Direction + 24) % 24; break;
    case DateTimeSectionKind::minute: p.minute = (p.minute + Direction + 60) % 60; break;
    case DateTimeSectionKind::second: p.second = (p.second + Direction + 60) % 60; break;
    case DateTimeSectionKind::day: {
      const int days = DaysInAMonth(p.year, p.month);
      p.day = Direction > 0 ? (p.day >= days ? 1 : p.day + 1) : (p.day <= 1 ? days : p.day - 1);
      break;
    }
    case DateTimeSectionKind::weekday: {
      const int first = (firstWeekday() + 7) % 7;
      const int position = (weekdayIndex(value_) - first + 7) % 7;
      const int moved = (position + Direction + 7) % 7;
      next = value_ + (moved - position);
      break;
    }
    case DateTimeSectionKind::month:
    case DateTimeSectionKind::monthName: next = IncMonth(value_, Direction); break;
    case DateTimeSectionKind::year: next = IncMonth(value_, 12 * Direction); break;
  }
  if (kind >= DateTimeSectionKind::hour) {
    storeParts(p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec);
    return;
  }
  if (kind == DateTimeSectionKind::day) {
    TDateTime date;
    if (TryEncodeDate(p.year, p.month, p.day, date)) next = date + time;
  }
  // A step past a limit stops at it.
  if (DayAfter(next, effectiveMax())) next = wholeDays(effectiveMax()) + time;
  if (DayBefore(next, effectiveMin())) next = wholeDays(effectiveMin()) + time;
  const Parts q(next);
  storeParts(q.year, q.month, q.day, q.hour, q.minute, q.second, q.msec);
}

int TdcDBCustomDateTimePicker::firstWeekday() const {
  // As DayOfWeek - 1: 0 Sunday .. 6 Saturday; the locale gives none, so Sunday.
  const TdcCalDayOfWeek first = calendarOptions_.FirstDayOfWeek;
  return first == dcdowLocaleDefault ? 0 : (static_cast<int>(first) + 1) % 7;
}

void TdcDBCustomDateTimePicker::homeEndSection(bool End) {
  const std::vector<DateTimeSection> sections = Sections();
  if (section_ < 1 || section_ > static_cast<int>(sections.size())) return;
  const DateTimeSectionKind kind = sections[section_ - 1].kind;
  Parts p(value_);
  const Parts lo(effectiveMin());
  const Parts hi(effectiveMax());
  switch (kind) {
    case DateTimeSectionKind::hour: p.hour = End ? 23 : 0; break;
    case DateTimeSectionKind::minute: p.minute = End ? 59 : 0; break;
    case DateTimeSectionKind::second: p.second = End ? 59 : 0; break;
    case DateTimeSectionKind::ampm:
      if (End && p.hour < 12) p.hour += 12;
      if (!End && p.hour >= 12) p.hour -= 12;
      break;
    case DateTimeSectionKind::day:
      if (End) p.day = p.year == hi.year && p.month == hi.month ? hi.day : DaysInAMonth(p.year, p.month);
      else p.day = p.year == lo.year && p.month == lo.month ? lo.day : 1;
      break;
    case DateTimeSectionKind::month:
    case DateTimeSectionKind::monthName:
      if (End) p.month = p.year == hi.year ? hi.month - (hi.day < p.day ? 1 : 0) : 12;
      else p.month = p.year == lo.year ? lo.month + (p.day < lo.day ? 1 : 0) : 1;
      p.month = std::clamp(p.month, 1, 12);
      break;
    case DateTimeSectionKind::year:
      if (End) p.year = hi.year - ((p.month > hi.month || (p.month == hi.month && p.day > hi.day)) ? 1 : 0);
      else p.year = lo.year + ((p.month < lo.month || (p.month == lo.month && p.day < lo.day)) ? 1 : 0);
      break;
    case DateTimeSectionKind::weekday: {
      const int position = (weekdayIndex(value_) - firstWeekday() + 7) % 7;
      TDateTime next = value_ + (End ? 6 - position : -position);
      if (DayAfter(next, effectiveMax())) next = wholeDays(effectiveMax()) + timeOfDay(value_);
      if (DayBefore(next, effectiveMin())) next = wholeDays(effectiveMin()) + timeOfDay(value_);
      p = Parts(next);
      break;
    }
  }
  storeParts(p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec);
}

// ---- deleting ----

void TdcDBCustomDateTimePicker::deleteValue() {
  if (typing_ && !pending_.empty()) {
    pending_.pop_back();
    redisplay();
    return;
  }
  typing_ = false;
  const bool complete = Text() == textOf(value_);
  if (isTimeOnly() && link_.Field() && !dynamic_cast<TTimeField*>(link_.Field())) {
    value_ = wholeDays(value_);
    cleared_ = true;
    const bool modified = Modified();
    SetText("");
    SetModified(modified);
    return;
  }
  if (defaultCFormat() && complete && timeOfDay(value_) != 0) {
    storeValue(wholeDays(value_));
    return;
  }
  storeValue(0);
  cleared_ = true;
  section_ = 1;
  redisplay();
}

// ---- digits and letters ----

void TdcDBCustomDateTimePicker::typeDigit(int Digit) {
  const std::vector<DateTimeSection> sections = Sections();
  if (section_ < 1 || section_ > static_cast<int>(sections.size())) return;
  const DateTimeSection& s = sections[section_ - 1];
  if (!s.isNumeric()) return;
  Parts p(value_);
  const bool amPm = FormatHasAmPm(sectionFormat());
  const bool first = !typing_ || pending_.empty();
  auto complete = [&](int number) {
    typing_ = false;
    pending_.clear();
    switch (s.kind) {
      case DateTimeSectionKind::day: if (number) p.day = number; break;
      case DateTimeSectionKind::month: if (number) p.month = number; break;
      case DateTimeSectionKind::hour: p.hour = amPm ? number % 12 + (p.hour >= 12 ? 12 : 0) : number; break;
      case DateTimeSectionKind::minute: p.minute = number; break;
      case DateTimeSectionKind::second: p.second = number; break;
      case DateTimeSectionKind::year: if (number) p.year = number; break;
      default: break;
    }
    storeParts(p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec);
    markModified();
    nextSection();
    selectSection();
  };
  auto keep = [&] {
    typing_ = true;
    pending_ += static_cast<char>('0' + Digit);
    markModified();
    redisplay();
  };
  if (s.kind == DateTimeSectionKind::year && s.fourDigitYear()) {
    if (pending_.size() < 3 || !typing_) {
      if (!typing_) pending_.clear();
      keep();
      return;
    }
    const int year = std::stoi(pending_ + static_cast<char>('0' + Digit));
    TDateTime date;
    if (year != 0 && (!TryEncodeDate(year, p.month, std::min(p.day, DaysInAMonth(year, p.month)), date) ||
                      DayAfter(date, effectiveMax()) || DayBefore(date, effectiveMin())))
      return;
    complete(year);
    return;
  }
  if (first) {
    const int days = DaysInAMonth(p.year, p.month);
    bool completes = false;
    switch (s.kind) {
      case DateTimeSectionKind::day: completes = Digit > 3 || (Digit == 3 && days < 30); break;
      case DateTimeSectionKind::month: completes = Digit > 1; break;
      case DateTimeSectionKind::hour: completes = amPm ? Digit > 1 : Digit > 2; break;
      case DateTimeSectionKind::minute:
      case DateTimeSectionKind::second: completes = Digit > 5; break;
      default: break;
    }
    if (completes) {
      complete(Digit);
      return;
    }
    if (s.kind == DateTimeSectionKind::year) {
      TDateTime lastOfDecade;
      const int decadeEnd = (CurrentYear() / 100) * 100 + Digit * 10 + 9;
      if (minDate_ != 0 && TryEncodeDate(decadeEnd, 12, 31, lastOfDecade) && DayBefore(lastOfDecade, minDate_)) return;
    }
    pending_.clear();
    keep();
    return;
  }
  const int firstDigit = pending_[0] - '0';
  const int number = firstDigit * 10 + Digit;
  bool valid = false;
  switch (s.kind) {
    case DateTimeSectionKind::day: valid = number <= DaysInAMonth(p.year, p.month); break;
    case DateTimeSectionKind::month: valid = firstDigit == 0 || Digit <= 2; break;
    case DateTimeSectionKind::hour: valid = amPm ? number <= 12 : number <= 23; break;
    case DateTimeSectionKind::minute:
    case DateTimeSectionKind::second: valid = number <= 59; break;
    case DateTimeSectionKind::year: {
      const int year = DateTimeEpochRule(number, epoch_);
      TDateTime date;
      valid = TryEncodeDate(year, p.month, std::min(p.day, DaysInAMonth(year, p.month)), date) &&
              !DayAfter(date, effectiveMax()) && !DayBefore(date, effectiveMin());
      if (valid) {
        complete(year);
        return;
      }
      break;
    }
    default: break;
  }
  if (valid) complete(number);
}

void TdcDBCustomDateTimePicker::applyPendingDigits() {
  if (!typing_) return;
  const std::vector<DateTimeSection> sections = Sections();
  const AnsiString digits = pending_;
  typing_ = false;
  pending_.clear();
  if (section_ < 1 || section_ > static_cast<int>(sections.size())) return;
  const DateTimeSection& s = sections[section_ - 1];
  Parts p(value_);
  const int number = digits.empty() ? 0 : std::stoi(digits);
  switch (s.kind) {
    case DateTimeSectionKind::day: if (number) p.day = number; break;
    case DateTimeSectionKind::month: if (number) p.month = number; break;
    case DateTimeSectionKind::hour:
      p.hour = FormatHasAmPm(sectionFormat()) ? number % 12 + (p.hour >= 12 ? 12 : 0) : number;
      break;
    case DateTimeSectionKind::minute: p.minute = number; break;
    case DateTimeSectionKind::second: p.second = number; break;
    case DateTimeSectionKind::year:
      if (digits.empty()) p.year = (epoch_ / 100) * 100 + (epoch_ % 100 > 0 ? 100 : 0);
      else if (digits.size() <= 2) p.year = DateTimeEpochRule(number, epoch_);
      else p.year = number;
      break;
    default: break;
  }
  storeParts(p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec);
  SetModified(true);
  link_.Modified();
  redisplay();
}

bool TdcDBCustomDateTimePicker::typeLetter(char Letter) {
  const std::vector<DateTimeSection> sections = Sections();
  if (section_ < 1 || section_ > static_cast<int>(sections.size())) return false;
  const DateTimeSection& s = sections[section_ - 1];
  const LocaleSettings& locale = Locale();
  Parts p(value_);
  switch (s.kind) {
    case DateTimeSectionKind::monthName:
      for (int step = 1; step <= 12; ++step) {
        const int month = (p.month - 1 + step) % 12 + 1;
        if (startsWithLetter(locale.ShortMonthNames[month - 1], Letter) ||
            startsWithLetter(locale.LongMonthNames[month - 1], Letter)) {
          storeParts(p.year, month, p.day, p.hour, p.minute, p.second, p.msec);
          return true;
        }
      }
      return false;
    case DateTimeSectionKind::weekday: {
      const int position = (weekdayIndex(value_) - firstWeekday() + 7) % 7;
      const TDateTime weekStart = value_ - position;
      for (int step = 1; step <= 7; ++step) {
        const TDateTime day = weekStart + (position + step) % 7;
        const int index = weekdayIndex(day);
        if ((startsWithLetter(locale.ShortDayNames[index], Letter) || startsWithLetter(locale.LongDayNames[index], Letter)) &&
            !DayAfter(day, effectiveMax()) && !DayBefore(day, effectiveMin())) {
          const Parts q(day);
          storeParts(q.year, q.month, q.day, q.hour, q.minute, q.second, q.msec);
          return true;
        }
      }
      return false;
    }
    case DateTimeSectionKind::ampm: {
      char am = 'A', pm = 'P';
      if (s.token.size() == 4 && !locale.TimeAMString.empty() && !locale.TimePMString.empty()) {
        am = static_cast<char>(std::toupper(static_cast<unsigned char>(locale.TimeAMString[0])));
        pm = static_cast<char>(std::toupper(static_cast<unsigned char>(locale.TimePMString[0])));
      }
      const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(Letter)));
      if (am == pm) p.hour = (p.hour + 12) % 24;
      else if (upper == pm && p.hour < 12) p.hour += 12;
      else if (upper == am && p.hour >= 12) p.hour -= 12;
      else if (upper != am && upper != pm) return false;
      storeParts(p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec);
      return true;
    }
    default: return false;
  }
}
