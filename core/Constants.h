#pragma once
// The texts and tables every form of the program shares: the support lines that close its
// messages, the refusal of a missing right, and the characters a typed file name may not hold.
#include "framework/base/AnsiString.h"

// Closes the settings messages; appended with no separator.
inline const AnsiString ContactSupportText = "Please contact Vantor, Inc. for assistance.";
// Closes the messages of the rights readers and the record-file date converters.
inline const AnsiString CallSupportText = "\r\rPlease call Vantor, Inc. for assistance.";
inline const AnsiString NoAccessText = "Sorry, you don't have access to this function.";
// In this order; the print-choices dialog tests a print-to-file name against them.
inline const AnsiString InvalidFileNameChars = "/\\:*?\"<>|+=,[]";

// The main window's captions. The 44 blanks push the title out of sight in the caption bar; the
// start-up guard finds a running program of the same mode by them, character for character.
inline const AnsiString CaseModeCaption = AnsiString(44, ' ') + "Quillon Case Entry and Maintenance";
inline const AnsiString CalendarModeCaption = AnsiString(44, ' ') + "Quillon Docket Calendar Entry and Maintenance";
