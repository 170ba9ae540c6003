#include "editors/SpinButton.h"

#include <algorithm>

#include "framework/ui/BitmapImage.h"

namespace {

TdcTimerSpeedButton* makeButton(TdcSpinButton* owner, const char* glyph, TNotifyEvent& handler) {
  auto* button = new TdcTimerSpeedButton(owner);
  button->SetParent(owner);
  button->SetOptions({tboRepeat});
  BitmapImage picture;
  picture.LoadFromResourceName(glyph);
  button->SetGlyph(picture);
  button->OnClick = [&handler](TObject* Sender) {
    if (handler) handler(Sender);
  };
  return button;
}

}  // namespace

TdcSpinButton::TdcSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(false);
  up_ = makeButton(this, "dcSpinUp", OnUpClick);
  down_ = makeButton(this, "dcSpinDown", OnDownClick);
  SetBounds(0, 0, 20, 25);
}

void TdcSpinButton::BoundsChanged() {
  TWinControl::BoundsChanged();
  layoutButtons();
}

void TdcSpinButton::layoutButtons() {
  if (!up_ || !down_) return;
  const int width = std::max(Width(), 15);
  const int upHeight = Height() / 2;
  up_->SetBounds(0, 0, width, upHeight);
  down_->SetBounds(0, upHeight - 1, width, Height() - upHeight + 1);
}
