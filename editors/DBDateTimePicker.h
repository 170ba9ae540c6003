#pragma once
// TdcDBCustomDateTimePicker: an edit that shows a date, a time or both through a display format
// and edits them one section (day, month, year, hour, minute, second, AM/PM) at a time: the
// selected section is highlighted, the arrow keys move between sections and step the value,
// digits are typed into the section, and a button drops down a month calendar. It binds to a
// date, time or date-time field through a data source, or works unbound with a chosen kind of
// data. Every value it takes keeps within its lowest and highest date, compared by day.
// TdcDBDateTimePicker is the one the forms place.
#include <memory>
#include <vector>

#include "editors/DateTimeSections.h"
#include "editors/MonthCalendarOptions.h"
#include "framework/db/FieldDataLink.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Font.h"
#include "framework/ui/SpeedButton.h"

class Canvas;
class DropDownWindow;
class TDataSource;
class TField;
class TdcCustomDBGrid;
class TdcDBCustomDateTimePicker;
class TdcMonthCalendar;
class TdcPopupCalendar;

// The ordinals are stored: the filter dialog writes 0 and 1.
enum TdcDTEditDataType { dcDTEdtDateTime, dcDTEdtDate, dcDTEdtTime };
extern const EnumerationType kdcDTEditDataTypeType;
enum TDTDateFormat { dfShort, dfLong };
extern const EnumerationType kDTDateFormatType;
enum TdcDTCalAlignment { dcdtaLeft, dcdtaRight, dcdtaCenter };
extern const EnumerationType kdcDTCalAlignmentType;

// The drop-down calendar's settings.
class TdcCalendarOptions : public TPersistent {
  QN_PUBLISHED_CLASS(TdcCalendarOptions, TPersistent)
 public:
  TdcCalendarOptions();
  // Copies everything from other calendar options; refuses anything else.
  void Assign(TPersistent* Source) override;

  TdcDTCalAlignment Alignment = dcdtaLeft;
  TdcMonthOptions Options{mdoDayState};
  TdcCalDayOfWeek FirstDayOfWeek = dcdowLocaleDefault;
  // 0: the calendar's minimum size.
  int Width = 0;
  int Height = 0;
  TdcDateTimeColors* Colors() { return &colors_; }
  TFont* Font() { return &font_; }
  TdcPopupYearOptions* PopupYearOptions() { return &yearOptions_; }

 private:
  TdcDateTimeColors colors_;
  TFont font_;
  TdcPopupYearOptions yearOptions_;
};

// The picker's button, drawn as the combo-box arrow.
class TdcDateComboButton : public TSpeedButton {
  QN_CLASS(TdcDateComboButton, TSpeedButton)
 public:
  explicit TdcDateComboButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

 protected:
  void Paint() override;
};

class TdcDBCustomDateTimePicker : public TCustomEdit {
  QN_PUBLISHED_CLASS(TdcDBCustomDateTimePicker, TCustomEdit)
 public:
  explicit TdcDBCustomDateTimePicker(TComponent* AOwner);
  ~TdcDBCustomDateTimePicker() override;

  TdcCalendarOptions* CalendarAttributes() { return &calendarOptions_; }
  TDataSource* DataSource() const { return link_.DataSource(); }
  void SetDataSource(TDataSource* Value);
  AnsiString DataField() const { return link_.FieldName(); }
  // An empty name also sets UnboundDataType back to dcDTEdtDateTime.
  void SetDataField(const AnsiString& Value);
  TField* Field() const { return link_.Field(); }
  TFieldDataLink* GetDataLink() { return &link_; }
  bool ReadOnly() const { return link_.ReadOnly(); }
  void SetReadOnly(bool Value);

  TDTDateFormat DateFormat() const { return dateFormat_; }
  void SetDateFormat(TDTDateFormat Value);
  const AnsiString& DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(const AnsiString& Value);
  TdcDTEditDataType UnboundDataType() const { return unboundDataType_; }
  void SetUnboundDataType(TdcDTEditDataType Value);
  int Epoch() const { return epoch_; }
  void SetEpoch(int Value) { epoch_ = Value; }
  bool ShowButton() const { return showButton_; }

  // Pending digits applied first; 0 for a time-only picker.
  TDateTime Date();
  // The new day with the old time; EDateTimeError outside the limits, the old value shown again.
  void SetDate(TDateTime Value);
  TDateTime Time();
  void SetTime(TDateTime Value);
  // The value the text shows, digits still being typed into a section not applied (reading it
  // leaves the typing as it is).
  TDateTime ShownValue() const { return value_; }
  // 0: no limit.
  TDateTime MinDate() const { return minDate_; }
  void SetMinDate(TDateTime Value);
  TDateTime MaxDate() const { return maxDate_; }
  void SetMaxDate(TDateTime Value);
  // Never set.
  bool Intavo() const { return false; }

  TdcPopupCalendar* Calendar() const { return calendar_; }
  DropDownWindow* CalendarWindow() const { return dropDown_.get(); }
  TdcDateComboButton* Button() const { return button_; }
  TWinControl* ButtonPanel() const { return panel_; }
  // The selected section, 1-based.
  int Section() const { return section_; }
  std::vector<DateTimeSection> Sections();

  TCalcBoldDayEvent OnCalcBoldDay;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDropDown;

  // The virtual slots, in their order.
  virtual void CloseUp(bool Accept);
  virtual bool IsDroppedDown();
  virtual bool CanEditValue();
  virtual void SetShowButton(bool Value);
  virtual void GetEditRect(TRect& Rect);
  virtual void SetEditRect();
  bool CaretAllowed() const override { return true; }
  virtual void DropDown();
  virtual bool BeginFieldEdit();

  int GetButtonWidth() const { return panel_->Width(); }
  int GetButtonLeft() const { return panel_->Left() - 1; }

  TWantedKeys WantedKeys() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;

 protected:
  void Change() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void BoundsChanged() override;
  void BorderChanged() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void Loaded() override;

 private:
  friend class TdcPopupCalendar;
  enum class Kind { dateTime, date, time };

  Kind kind();
  bool isTimeOnly() { return kind() == Kind::time; }
  bool isDateOnly() { return kind() == Kind::date; }
  bool hasExplicitFormat();
  AnsiString effectiveFormat();
  AnsiString sectionFormat() { return ExpandDateTimeFormat(effectiveFormat()); }
  bool defaultCFormat();
  AnsiString textOf(TDateTime Value);
  TDateTime effectiveMin() const;
  TDateTime effectiveMax() const;
  // The sections the text shows: the time of "c" not while it is 0.
  int shownSectionCount();

  // Every change of the value goes through here.
  void storeValue(TDateTime Value);
  // Parts put together and stored when their day lies within the limits; else redrawn.
  void storeParts(int Year, int Month, int Day, int Hour, int Minute, int Second, int Msec);
  void redisplay();
  void selectSection();
  void applyPendingDigits();
  void typeDigit(int Digit);
  bool typeLetter(char Letter);
  void stepSection(int Direction);
  void homeEndSection(bool End);
  void deleteValue();
  void nextSection();
  void markModified();
  bool fillEmpty();
  // The user chose a date in the open calendar.
  void calendarChanged();
  // As DayOfWeek - 1 (0 Sunday).
  int firstWeekday() const;
  void SetReadOnlyWindow(bool Value);
  bool BeginFieldEditIfBound();

  bool gridKeyDown(WORD& Key, TShiftState Shift);
  TdcCustomDBGrid* parentDBGrid() const;
  void dataChange();
  void updateData();
  bool paintSelf(Canvas& ACanvas);
  void layoutButton();
  void buttonClick();
  TDateTime fieldValue() const;
  bool required() const;

  TFieldDataLink link_;
  TdcCalendarOptions calendarOptions_;
  TDTDateFormat dateFormat_ = dfShort;
  AnsiString displayFormat_;
  TdcDTEditDataType unboundDataType_ = dcDTEdtDateTime;
  int epoch_;
  bool showButton_ = true;
  TDateTime value_ = 0;
  TDateTime minDate_ = 0;
  TDateTime maxDate_ = 0;
  int section_ = 1;
  bool typing_ = false;  // digits are being typed into the section and not yet applied
  AnsiString pending_;   // those digits (all of them may have been deleted again)
  TDateTime entryValue_ = 0;
  TDateTime dropValue_ = 0;
  bool cleared_ = false;
  bool focused_ = false;
  bool closingUp_ = false;
  bool swallowEscape_ = false;
  bool savedShowHint_ = false;
  TAlignment alignment_ = taLeftJustify;
  TWinControl* panel_;
  TdcDateComboButton* button_;
  TdcPopupCalendar* calendar_ = nullptr;
  std::unique_ptr<DropDownWindow> dropDown_;
};

class TdcDBDateTimePicker : public TdcDBCustomDateTimePicker {
  QN_PUBLISHED_CLASS(TdcDBDateTimePicker, TdcDBCustomDateTimePicker)
 public:
  explicit TdcDBDateTimePicker(TComponent* AOwner) : TdcDBCustomDateTimePicker(AOwner) {}
};
