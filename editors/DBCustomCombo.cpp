#include "editors/DBCustomCombo.h"

#include <algorithm>

#include "datagrid/DrawingHelpers.h"
#include "datagrid/InputHelpers.h"
#include "framework/db/DataSet.h"
#include "framework/db/DataSource.h"
#include "framework/ui/KeyboardState.h"
#include "framework/ui/ScreenFacts.h"
#include "framework/ui/VirtualKeys.h"

const EnumerationType kdcComboButtonStyleType{"TdcComboButtonStyle", {"cbsEllipsis", "cbsDownArrow"}};

int ComboButtonWidth() { return std::max(qn::ui::screenFacts().verticalScrollBarWidth, 15); }

void PlaceComboButton(TWinControl* Edit, TWinControl* Panel, TControl* Button) {
  const int width = Panel->Width();
  const bool bordered = Edit->BorderStyle() != bsNone;
  // The program runs with new-style controls.
  const int left = bordered && Edit->Ctl3D() ? Edit->Width() - width - 4 : Edit->Width() - width;
  Panel->SetBounds(left, 0, width, Edit->ClientHeight());
  if (bordered) Button->SetBounds(0, 0, Button->Width(), Panel->Height());
  else Button->SetBounds(0, -1, Button->Width(), Panel->Height() + 1);
}

TdcComboDlgButton::TdcComboDlgButton(TdcDBCustomCombo* Combo) : TSpeedButton(Combo), combo_(Combo) {}

void TdcComboDlgButton::Paint() {
  bool defaultDrawing = true;
  combo_->DrawButton(canvas(), ClientRect(), defaultDrawing, combo_->ControlState(), State());
  if (defaultDrawing) TSpeedButton::Paint();
}

void TdcDBCustomCombo::PublishProperties(PropertyPublisher<TdcDBCustomCombo>& publish) {}

TdcDBCustomCombo::TdcDBCustomCombo(TComponent* AOwner)
    : TdcDBCustomEdit(AOwner), panel_(new TWinControl(this)), button_(new TdcComboDlgButton(this)) {
  panel_->SetBounds(0, 0, std::max(qn::ui::screenFacts().verticalScrollBarWidth + 4, 17), 17);
  panel_->SetParent(this);
  button_->SetBounds(0, 0, ComboButtonWidth(), 17);
  button_->SetParent(panel_);
  button_->OnClick = [this](TObject*) { ButtonClick(); };
  if (const BitmapImage* glyph = GetButtonGlyph()) button_->SetGlyph(*glyph);
  LayoutButton();
}

TdcDBCustomCombo::~TdcDBCustomCombo() = default;

void TdcDBCustomCombo::SetButtonStyle(TdcComboButtonStyle Value) {
  if (buttonStyle_ == Value) return;
  buttonStyle_ = Value;
  if (const BitmapImage* glyph = GetButtonGlyph()) button_->SetGlyph(*glyph);
  button_->Invalidate();
}

void TdcDBCustomCombo::DrawButton(Canvas& ACanvas, const TRect& Rect, bool& DefaultDrawing, TControlState State,
                                  TButtonState ButtonState) {
  DefaultDrawing = false;
  if (buttonStyle_ == cbsDownArrow) {
    DrawDropDownButton(ACanvas, Rect, ButtonState == bsDown, State, Enabled());
  } else {
    DrawEllipsisButton(ACanvas, Rect, 0, State);
  }
}

bool TdcDBCustomCombo::CaretAllowed() const { return true; }

void TdcDBCustomCombo::CloseUp(bool Accept) {
  if (Accept) MarkModified();
}

void TdcDBCustomCombo::DropDown() {
  if (!OnCustomDlg) return;
  dropped_ = true;
  Invalidate();
  struct Closing {
    TdcDBCustomCombo* combo;
    // Without a caret the edit paints its text itself: the repaint hides it.
    ~Closing() {
      combo->Invalidate();
      combo->dropped_ = false;
    }
  } closing{this};
  if (DataSource() && DataSource()->DataSet()) BeginFieldEdit();
  OnCustomDlg(this);
}

void TdcDBCustomCombo::ButtonClick() {
  if (IsDroppedDown()) {
    CloseUp(true);
    return;
  }
  if (CanFocus() && !Focused()) SetFocus();
  if (Focused()) DropDown();
}

void TdcDBCustomCombo::ToggleDropDown() {
  if (IsDroppedDown()) CloseUp(true);
  else DropDown();
}

void TdcDBCustomCombo::SetShowButton(bool Value) {
  if (panel_->Visible() == Value) return;
  panel_->SetVisible(Value);
  if (!ComponentState().Contains(csLoading) && hasWindow()) SetEditRect();
  Invalidate();
}

TRect TdcDBCustomCombo::ComboEditRect() {
  const int m = BorderStyle() == bsNone ? 2 : 0;
  const int right = GetShowButton() ? panel_->Left() - 2 : ClientWidth() - 2;
  return {m, m, right, ClientHeight() + 1};
}

void TdcDBCustomCombo::SetEditRect() { setEditRect(ComboEditRect()); }

void TdcDBCustomCombo::LayoutButton() {
  if (!panel_ || !button_) return;
  PlaceComboButton(this, panel_, button_);
  if (hasWindow()) SetEditRect();
}

void TdcDBCustomCombo::Loaded() {
  TdcDBCustomEdit::Loaded();
  button_->SetBounds(button_->Left(), button_->Top(), ComboButtonWidth(), button_->Height());
  if (Parent() || Owner()) LayoutButton();
}

void TdcDBCustomCombo::BoundsChanged() {
  TdcDBCustomEdit::BoundsChanged();
  LayoutButton();
}

void TdcDBCustomCombo::BorderChanged() {
  TdcDBCustomEdit::BorderChanged();
  LayoutButton();
}

void TdcDBCustomCombo::EnabledChanged() {
  TdcDBCustomEdit::EnabledChanged();
  button_->SetEnabled(Enabled());
}

void TdcDBCustomCombo::DoEnter() {
  TdcDBCustomEdit::DoEnter();
  Invalidate();
}

TWantedKeys TdcDBCustomCombo::WantedKeys() const {
  TWantedKeys keys = TdcDBCustomEdit::WantedKeys();
  if (const_cast<TdcDBCustomCombo*>(this)->IsDroppedDown()) keys = keys.Include(wkReturn).Include(wkEscape);
  return keys;
}

void TdcDBCustomCombo::KeyDown(WORD& Key, TShiftState Shift) {
  const bool alt = Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
  if ((Key == VK_RETURN || Key == VK_ESCAPE) && IsDroppedDown() && !alt) {
    CloseUp(Key == VK_RETURN);
    Key = 0;
    return;
  }
  if ((Key == VK_UP || Key == VK_DOWN) && alt) {
    ToggleDropDown();
    Key = 0;
    return;
  }
  TdcDBCustomEdit::KeyDown(Key, Shift);
  if (Key != 0 && IsTextEditKey(Key) && !CaretAllowed()) Key = 0;
}

void TdcDBCustomCombo::KeyPress(char& Key) {
  if (Key == '\t' && !EditMask().empty()) {
    Key = 0;
    return;
  }
  TdcDBCustomEdit::KeyPress(Key);
}

void TdcDBCustomCombo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && !TextEditable()) {
    if (!InsideGrid() && CanFocus() && !Focused()) SetFocus();
    ToggleDropDown();
  }
  TdcDBCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TdcDBCustomCombo::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TdcDBCustomEdit::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft && !TextEditable()) ReleaseMouseCapture();
}
