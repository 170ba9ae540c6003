// The description panel's time pickers: a time is typed as digits with A, M or P, and Escape
// empties the picker.
#include <cctype>
#include <cstring>

#include "casewindow/CaseDescriptionF.h"
#include "editors/DBDateTimePicker.h"
#include "framework/base/StringUtils.h"
#include "framework/ui/Color.h"
#include "framework/ui/VirtualKeys.h"

namespace {

// The letters a time has no use for.
constexpr const char* kRefusedLetters = "BCDEFGHIJKLNOQRSTUVWXYZ";

}  // namespace

void TCaseDescriptionF::CalTimeKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) Key = static_cast<WORD>('0' + (Key - VK_NUMPAD0));
  if (Key >= 'A' && Key <= 'Z' && std::strchr(kRefusedLetters, static_cast<char>(Key))) Key = 0;
}

void TCaseDescriptionF::CalTimeKeyUp(TObject* Sender, WORD& Key, TShiftState) {
  if (Key != VK_ESCAPE) return;
  auto* time = static_cast<TdcDBDateTimePicker*>(Sender);
  time->SetText("");
  time->SetSelStart(0);
}

void TCaseDescriptionF::CalTimeKeyPress(TObject* Sender, char&) {
  auto* time = static_cast<TdcDBDateTimePicker*>(Sender);
  if (time->SelLength() == 0) {
    const AnsiString text = Trim(time->Text());
    const std::size_t blank = text.find(' ');
    const bool shortTimeAtStart = blank == 3 && time->SelStart() == 1;
    const bool digitAfterBlank =
        blank != AnsiString::npos && blank + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[blank + 1]));
    // Typing starts a new time.
    if (shortTimeAtStart || digitAfterBlank) time->SetText("");
  }
  if (time->Font()->Color() == clWhite) time->Font()->SetColor(clMaroon);
}
