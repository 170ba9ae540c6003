#pragma once
// A frame with a caption in its top edge around a group of controls. Aligned children are laid
// out inside the frame, below the caption.
#include "framework/ui/WinControl.h"

class GroupFrame : public TWinControl {
  QN_PUBLISHED_CLASS(GroupFrame, TWinControl)
 public:
  explicit GroupFrame(TComponent* AOwner);

  AnsiString Caption() const { return Text(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }

  // Inside the frame line, below the caption's line.
  TRect ClientRect() const override;

 protected:
  QWidget* MakeWidget(QWidget* parentWidget) override;
  void WindowCreated() override;
  void TextChanged() override;
  void FontChanged() override;
};
