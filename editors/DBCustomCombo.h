#pragma once
// TdcDBCustomCombo: the data-aware masked edit with a button at its right edge, an ellipsis that
// opens a dialog of the form's own (OnCustomDlg) or a drop-down arrow. It knows whether it is
// dropped down, how to drop down and how to close up only as virtual steps, which the combo box
// fills in; here it keeps the button, the layout, the keys that open and close a drop-down and
// the mouse on a text that cannot be edited.
#include "editors/DBCustomEdit.h"
#include "framework/base/NotifyEvent.h"
#include "framework/ui/ButtonGlyph.h"
#include "framework/ui/SpeedButton.h"

class BitmapImage;
class TdcDBCustomCombo;

enum TdcComboButtonStyle { cbsEllipsis, cbsDownArrow };
extern const EnumerationType kdcComboButtonStyleType;

// The button of an edit with a drop-down: its width for the system's scroll bars, and the panel
// that holds it placed at the edit's right edge, the button filling it.
int ComboButtonWidth();
void PlaceComboButton(TWinControl* Edit, TWinControl* Panel, TControl* Button);

// The combo's button; the combo paints it.
class TdcComboDlgButton : public TSpeedButton {
  QN_CLASS(TdcComboDlgButton, TSpeedButton)
 public:
  TdcComboDlgButton(TdcDBCustomCombo* Combo);

 protected:
  void Paint() override;

 private:
  TdcDBCustomCombo* combo_;
};

class TdcDBCustomCombo : public TdcDBCustomEdit {
  QN_PUBLISHED_CLASS(TdcDBCustomCombo, TdcDBCustomEdit)
 public:
  explicit TdcDBCustomCombo(TComponent* AOwner);
  ~TdcDBCustomCombo() override;

  TdcComboButtonStyle ButtonStyle() const { return buttonStyle_; }
  // Reloads the glyph and repaints the button.
  void SetButtonStyle(TdcComboButtonStyle Value);
  TdcComboDlgButton* Button() const { return button_; }
  TWinControl* ButtonPanel() const { return panel_; }

  // The drop-down protocol.
  virtual const BitmapImage* GetButtonGlyph() { return nullptr; }
  // Paints the button face; DefaultDrawing left set lets the speed button paint itself.
  virtual void DrawButton(Canvas& ACanvas, const TRect& Rect, bool& DefaultDrawing, TControlState State,
                          TButtonState ButtonState);
  virtual bool TextEditable() { return true; }
  virtual bool IsDroppedDown() { return dropped_; }
  virtual void CloseUp(bool Accept);
  // Runs OnCustomDlg, the record put into edit first when bound.
  virtual void DropDown();

  bool GetShowButton() override { return panel_->Visible(); }
  void SetShowButton(bool Value) override;
  int GetButtonWidth() override { return panel_->Width(); }
  int GetButtonLeft() override { return panel_->Left() - 1; }

  // The rectangle the text keeps inside, in client coordinates.
  TRect ComboEditRect();

  TWantedKeys WantedKeys() const override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  // A Tab character goes no further under an edit mask.
  void KeyPress(char& Key) override;

  // The form's dialog, run by the ellipsis (not published).
  TNotifyEvent OnCustomDlg;

 protected:
  bool CaretAllowed() const override;
  void SetEditRect() override;
  void Loaded() override;
  void BoundsChanged() override;
  void BorderChanged() override;
  void EnabledChanged() override;
  void DoEnter() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Opens or closes by the button or the mouse on a text that cannot be edited.
  void ToggleDropDown();
  void ButtonClick();
  void LayoutButton();

 private:
  TWinControl* panel_;
  TdcComboDlgButton* button_;
  TdcComboButtonStyle buttonStyle_ = cbsEllipsis;
  bool dropped_ = false;
};
