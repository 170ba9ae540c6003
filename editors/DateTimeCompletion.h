#pragma once
// What a blank typed at the end of a date, time or date-time text appends: the next part of the
// current date or time in the locale's formats (the date's parts in the locale's order with the
// date separator, then for times a blank, the hour, the minutes, the seconds and AM or PM).
#include "framework/base/AnsiString.h"
#include "framework/base/DateTime.h"

enum class DateTimeContent { date, time, dateTime };

// Text is what the edit holds before the blank (empty when all of it was selected); answers the
// text with the next part appended, or Text itself when nothing more follows.
AnsiString CompleteDateTimeOnSpace(const AnsiString& Text, DateTimeContent Content, TDateTime Now);
