#include "editors/PopupListbox.h"

#include "editors/DBComboBox.h"
#include "framework/base/Clock.h"

namespace {

constexpr size_t kLongestPrefix = 32;
// An owner-drawn combo's typed prefix lives this long without a key.
constexpr uint64_t kPrefixLifeMs = 1500;

}  // namespace

TdcPopupListbox::TdcPopupListbox(TdcDBComboBox* Combo) : ListBox(Combo), combo_(Combo) {
  SetTabStop(false);
  SetShowHint(false);
  SetItemHeight(11);
}

bool TdcPopupListbox::SelectPrefix(const AnsiString& Prefix, bool KeepOnFailure) {
  const AnsiString prefix = Prefix.substr(0, kLongestPrefix);
  const int found = prefix.empty() ? -1 : FindItemWithPrefix(prefix, 0);
  if (found >= 0 || !KeepOnFailure) SetItemIndex(found);
  return found >= 0;
}

void TdcPopupListbox::TypeKey(char Key, bool KeepOnFailure) {
  const uint64_t now = qn::clock().milliseconds();
  if (now - lastKeyAt_ > kPrefixLifeMs) prefix_.clear();
  lastKeyAt_ = now;
  if (Key == '\b' || Key == 27) {
    prefix_.clear();
    return;
  }
  if (static_cast<unsigned char>(Key) < 32) return;
  if (prefix_.size() < kLongestPrefix) prefix_ += Key;
  SelectPrefix(prefix_, KeepOnFailure);
}

void TdcPopupListbox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  ListBox::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && ClientRect().Contains({X, Y})) combo_->CloseUp(true);
}
