#include "datagrid/PictureKeyPress.h"

#include "datagrid/PictureValidator.h"
#include "framework/base/StringUtils.h"

PictureKeyOutcome ApplyPictureToKey(const AnsiString& Text, int SelStart, int SelLength, const AnsiString& Mask,
                                    bool AutoFill, char Key) {
  PictureKeyOutcome outcome;
  const unsigned char code = static_cast<unsigned char>(Key);
  if (code < 32 || code == 255) return outcome;
  const int length = static_cast<int>(Text.size());
  if (SelStart < length - SelLength) return outcome;

  AnsiString candidate = Copy(Text, 1, SelStart) + Key + Copy(Text, SelStart + SelLength + 1, length);
  TdcPictureValidator validator(Mask, AutoFill);
  const PictureResult result = validator.Picture(candidate, AutoFill);
  if (result == picSyntax) return outcome;  // a malformed mask restricts nothing

  outcome.handled = true;
  if (result == picError) {
    outcome.beep = true;
    return outcome;
  }
  if (result != picComplete && result != picIncomplete) return outcome;

  const int newLength = static_cast<int>(candidate.size());
  const int growth = newLength - length;
  const bool wholeTextSelected = SelStart == 0 && SelLength >= length;
  int caret;
  if (wholeTextSelected)
    caret = newLength;
  else if (result == picComplete ? growth > 0 : SelLength == 0)
    caret = SelStart + growth;
  else
    caret = SelStart + 1;
  outcome.changed = true;
  outcome.text = candidate;
  outcome.selStart = caret;
  outcome.selLength = 0;
  return outcome;
}
