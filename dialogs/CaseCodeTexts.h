#pragma once
// The texts of the case record's packed one-character codes: the sales-tax set, the finance
// charge with its electronic billing code, and the retainer-transfer set. The case grid shows
// them and the global replace changes the codes bit by bit.
#include "framework/base/AnsiString.h"

// "0".."7": fees 4, direct costs 2, indirect costs 1. "None" for 0, empty or anything else.
AnsiString SalesTaxText(const AnsiString& code);

// The finance-charge character: "0".."7" switch off, "8".."F" switch on, each with the
// electronic billing code in its low three bits; the old "N" and "Y" carry code 0.
bool FinanceChargeOn(const AnsiString& code);
// The electronic billing code 0..7; -1 for a character that is none of the above.
int ElectronicBillingCode(const AnsiString& code);
// "T", "A", "E" of the code's bits (task 4, activity 2, expense 1); empty for code 0 and for the
// old "N" and "Y".
AnsiString ElectronicBillingText(const AnsiString& code);

// "A".."Z" = 1..26, "!" 27, "@" 28, "#" 29, "$" 30, "%" 31: a set of F 16, DC 8, IC 4, FC 2,
// ST 1, listed in that order; empty for any other character.
AnsiString RetainerTransferText(const AnsiString& code);
