#pragma once
// TdcDBSpinEdit: the data-aware edit with a spin button at its right edge. The buttons and the
// Up and Down keys step a number by Increment within MinValue..MaxValue (no limit when both are
// 0), or the date or time part under the caret of date, time and date-time content.
#include "editors/DBCustomEdit.h"
#include "editors/SpinButton.h"

class TdcDBSpinEdit : public TdcDBCustomEdit {
  QN_PUBLISHED_CLASS(TdcDBSpinEdit, TdcDBCustomEdit)
 public:
  explicit TdcDBSpinEdit(TComponent* AOwner);

  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool Value) { editorEnabled_ = Value; }
  double Increment() const { return increment_; }
  void SetIncrement(double Value) { increment_ = Value; }
  double MinValue() const { return minValue_; }
  void SetMinValue(double Value) { minValue_ = Value; }
  double MaxValue() const { return maxValue_; }
  void SetMaxValue(double Value) { maxValue_ = Value; }
  // The text read by the content's kind; MinValue when it does not read.
  double Value();
  // Limited first, then shown by the content's kind.
  void SetValue(double Value);
  double CheckValue(double Value) const;
  TdcSpinButton* Button() const { return button_; }

  // One step up or down; a read-only or unmodifiable edit beeps.
  void UpClick();
  void DownClick();

  bool GetShowButton() override { return button_->Visible(); }
  int GetButtonWidth() override { return button_->Width(); }
  int GetButtonLeft() override { return button_->Left() - 1; }
  virtual bool IsValidChar(char Key);

  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;

 protected:
  void SetEditRect() override;
  void DoExit() override;
  void Loaded() override;
  void BoundsChanged() override;
  void BorderChanged() override;

 private:
  void step(int Direction);
  void layoutButton();

  TdcSpinButton* button_;
  bool editorEnabled_ = true;
  double increment_ = 1.0;
  double minValue_ = 0;
  double maxValue_ = 0;
};
