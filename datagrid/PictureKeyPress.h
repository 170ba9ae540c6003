#pragma once
// A picture mask applied to a key typed in an edit (the incremental search box types this way):
// the key replaces the selection, which must reach the end of the text, and the mask checks and,
// with AutoFill, completes the new text. A complete or incomplete text is taken with the caret
// moved on; a text that cannot match is refused with a beep. A handled key is consumed (set to 0)
// and the answer is true. Keys below 32, key 255, selections short of the end and malformed masks
// are left to the edit (false).
#include "framework/base/AnsiString.h"
#include "framework/ui/Beep.h"

// What a key does to an edit's text and selection under a mask.
struct PictureKeyOutcome {
  bool handled = false;
  bool beep = false;
  bool changed = false;  // text, selStart and selLength are the edit's new state
  AnsiString text;
  int selStart = 0;
  int selLength = 0;
};

PictureKeyOutcome ApplyPictureToKey(const AnsiString& Text, int SelStart, int SelLength, const AnsiString& Mask,
                                    bool AutoFill, char Key);

// Edit is any edit with Text(), SetText(), SelStart(), SetSelStart(), SelLength() and
// SetSelLength(), SelStart counted from 0.
template <class Edit>
bool ApplyPictureOnKeyPress(Edit& edit, const AnsiString& Mask, bool AutoFill, char& Key) {
  const PictureKeyOutcome outcome = ApplyPictureToKey(edit.Text(), edit.SelStart(), edit.SelLength(), Mask, AutoFill, Key);
  if (!outcome.handled) return false;
  if (outcome.changed) {
    edit.SetText(outcome.text);
    edit.SetSelStart(outcome.selStart);
    edit.SetSelLength(outcome.selLength);
  }
  if (outcome.beep) Beep();
  Key = 0;
  return true;
}
