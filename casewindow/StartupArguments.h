#pragma once
// What the first command-line argument says about the start: the system date in record-file form
// followed by the mode characters.

// The seventh character is "d": the program was started for the docket calendar.
bool CalendarStartArgument();
