#pragma once
// A menu entry's shortcut, written after a tab in its caption ("&Save\tCtrl+S"): Ctrl, Shift
// and Alt joined by '+' to a letter, a digit, F1..F24, Ins or Insert, Del or Delete.
#include <optional>

#include "framework/base/AnsiString.h"
#include "framework/ui/InputTypes.h"

struct TShortCut {
  WORD Key = 0;
  TShiftState Shift;
  bool operator==(const TShortCut&) const = default;
};

namespace qn::ui {

// The shortcut a caption shows; nullopt when it shows none or one not understood.
std::optional<TShortCut> shortcutOfCaption(const AnsiString& caption);
// The shortcut text alone ("Ctrl+S"), without case.
std::optional<TShortCut> parseShortcut(const AnsiString& text);
// The letter after a caption's first single '&' ("&&" shows one '&'), upper-cased; 0 when none.
char acceleratorOfCaption(const AnsiString& caption);

}  // namespace qn::ui
