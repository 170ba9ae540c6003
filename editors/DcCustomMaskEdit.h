#pragma once
// TdcCustomMaskEdit: the masked edit of the library. Its picture mask (Picture) is checked, and
// with AutoFill completed, as the user types; OnCheckValue tells after each change whether the
// text passes the mask. The edit may wrap at words, take Enter as text and show a vertical scroll
// bar; changing how it wraps makes its window again.
#include "datagrid/DBPicture.h"
#include "datagrid/ValidateEvent.h"
#include "framework/ui/MaskEdit.h"

class TdcCustomMaskEdit : public TCustomMaskEdit {
  QN_PUBLISHED_CLASS(TdcCustomMaskEdit, TCustomMaskEdit)
 public:
  explicit TdcCustomMaskEdit(TComponent* AOwner);
  ~TdcCustomMaskEdit() override;

  // The picture object (owned); descendants bound to a field keep its mask in their dataset.
  virtual TdcDBPicture* Picture();
  virtual void SetPicture(TdcDBPicture* Value);
  bool WordWrap() const { return wordWrap_; }
  // Makes the window again on every assignment.
  void SetWordWrap(bool Value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool Value);
  bool ShowVertScrollBar() const { return showVertScrollBar_; }
  void SetShowVertScrollBar(bool Value);
  bool UsePictureMask() const { return usePictureMask_; }
  void SetUsePictureMask(bool Value) { usePictureMask_ = Value; }
  // UsePictureMask is on and the picture has a mask.
  bool PictureInUse();
  // An empty text or no mask passes; otherwise only a text that fills the mask. The answer goes
  // to DoCheckValue.
  bool IsTextValidForPicture(const AnsiString& Text);
  // The focus was refused on the last exit because the text failed the picture (the exit raised
  // the silent EAbort).
  bool InvalidExit() const { return invalidExit_; }
  // The last typed key was applied by the picture.
  bool PictureTookKey() const { return pictureTookKey_; }

  TdcValidateEvent OnCheckValue;

 protected:
  // Sets the formatting rectangle; after the window is made and on every resize.
  virtual void SetEditRect();
  virtual void DoCheckValue(bool PassesPictureTest);
  // Prepares the field for a change the picture makes; the unbound edit has none (false).
  virtual bool BeginFieldEdit() { return false; }
  // Passes the whole text through the picture (after a paste), filling literals with AutoFill.
  void ReformatWithPicture();
  // The picture's answer to a typed key; handled is false when the edit types it itself.
  void PictureKeyPress(char& Key);
  // The edit sits in a cell of the library's grid.
  bool InsideGrid() const;
  // The width the button at the right edge takes from the text (none here).
  virtual int GetButtonWidth() { return 0; }
  // Wrapping, Enter and the scroll bar put into the window's switches.
  virtual void ApplyWindowSwitches();
  void DoExit() override;
  void WindowCreated() override;
  void BoundsChanged() override;
  void BorderChanged() override;

 private:
  TdcDBPicture* picture_;
  bool wordWrap_ = false;
  bool wantReturns_ = false;
  bool showVertScrollBar_ = false;
  bool usePictureMask_ = true;
  bool invalidExit_ = false;
  bool pictureTookKey_ = false;
};
