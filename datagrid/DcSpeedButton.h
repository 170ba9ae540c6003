#pragma once
// TdcSpeedButton: the library's painted button without a window of its own. Its picture comes
// from an image strip by index; NumGlyphs consecutive images of the strip belong to it (up,
// disabled, pressed, under the mouse), so one strip serves many buttons.
#include "framework/ui/SpeedButton.h"

class ImageStrip;

class TdcSpeedButton : public TSpeedButton {
  QN_PUBLISHED_CLASS(TdcSpeedButton, TSpeedButton)
 public:
  explicit TdcSpeedButton(TComponent* AOwner);

  int ImageIndex() const { return GetImageIndex(); }
  virtual int GetImageIndex() const { return imageIndex_; }
  // -1 shows no image.
  virtual void SetImageIndex(int Value);
  // Not owned: the strip outlives the buttons that show it.
  ImageStrip* Images() const { return images_; }
  void SetImages(ImageStrip* Value);
  bool ShowText() const { return showText_; }
  void SetShowText(bool Value);

 protected:
  void Paint() override;
  // The index the picture is drawn from, whatever GetImageIndex answers to its readers.
  int drawnImageIndex() const { return imageIndex_; }
  void storeImageIndex(int Value);
  // The left button went down on the button and the mouse is over it.
  bool Pressed() const { return State() == bsDown; }

 private:
  int imageIndex_ = -1;
  ImageStrip* images_ = nullptr;
  bool showText_ = false;
};
