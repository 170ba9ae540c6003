#pragma once
// The switches of the field-type converters, one set for the whole process; the session sets them
// from its configuration. Also the time-zone offset the stored timestamps are converted with.

struct TConverterOptions {
  // A stored value that cannot be converted reads as a cleared value instead of raising.
  bool Read = false;
  // A value that cannot be stored leaves the field cleared instead of raising.
  bool Write = false;
  // A 1-byte integer reads unsigned instead of signed.
  bool SmallIntAsByte = false;
  // A written text is padded with blanks to the field's size; otherwise one zero byte ends it.
  bool StringPaddedSpaces = true;
  // An integer or auto-increment field holding 0 reads as 0 instead of blank.
  bool IntegersShowAsZero = false;
};

extern TConverterOptions ConverterOptions;

// Minutes to add to local time to get universal time: the zone's standard offset plus its
// daylight offset, the latter whether or not daylight time is in force (stored timestamps were
// always written that way). Taken from the system when the process starts.
int TimeZoneOffset();
// Replaces the offset (tests pin it to a known zone).
void SetTimeZoneOffset(int minutes);
