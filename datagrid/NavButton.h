#pragma once
// TdcNavButton: one button of a data navigator. Its Style says what a click does to the
// navigator's dataset; the navigator enables it from the dataset's state, and a movement held
// down repeats. A button with its own OnClick does only that.
#include <functional>
#include <memory>

#include "datagrid/DcSpeedButton.h"
#include "datagrid/NavButtonStyles.h"

class IntervalTimer;
class TdcCustomDialog;
class TdcDBNavigator;
class TdcNavButton;
class TdcNavButtons;

using TdcCustomDialogEvent = std::function<void(TdcCustomDialog* Dialog)>;
using TdcUpdateStateEvent = std::function<void(TdcDBNavigator* Navigator, TdcNavButton* Button, TdcUpdateCause Cause)>;

class TdcNavButton : public TdcSpeedButton {
  QN_PUBLISHED_CLASS(TdcNavButton, TdcSpeedButton)
 public:
  explicit TdcNavButton(TComponent* AOwner);
  ~TdcNavButton() override;

  TdcNavButtonStyle Style() const { return style_; }
  virtual void SetStyle(TdcNavButtonStyle Value);
  TdcCustomDialog* Dialog() const { return dialog_; }
  virtual void SetDialog(TdcCustomDialog* Value);
  bool LineBreak() const { return lineBreak_; }
  virtual void SetLineBreak(bool Value);
  int Index() const { return GetIndex(); }
  // The position among the navigator's buttons; EInvalidOperation when it is not among them.
  virtual int GetIndex() const;
  virtual void SetIndex(int Value);

  // The collection that made the button, else the parent navigator's. Without a parent the
  // problem is shown and the operation ends silently (EAbort).
  virtual TdcNavButtons* GetButtons() const;
  virtual TdcDBNavigator* GetNavigator() const;
  // Remembered by the collection that makes the button.
  void setCollection(TdcNavButtons* Value) { collection_ = Value; }

  // -1 while the button shows its style's picture from the library's shared strip.
  int GetImageIndex() const override;
  // -1 goes back to the style's picture; another index shows that image of the navigator's
  // ImageList.
  void SetImageIndex(int Value) override;

  // The button's own Hint when it set one; otherwise the library's text for its style.
  virtual AnsiString GetHint() const;
  // Takes the library's text as Hint again (its style or the page size changed), unless the
  // button has a hint of its own.
  void UpdateHint();
  // The state for the navigator's data link, then the events; custom buttons keep theirs.
  virtual void UpdateState(TdcUpdateCause Cause);
  // Whether the button lies wholly inside the navigator.
  virtual bool FitsInNavigator() const;
  // Names the button after its navigator and style ("dcDBNavigator1First"), when it has none.
  virtual void GenerateName();
  virtual void SetDefaultGlyph();
  virtual void StartRepeat();
  virtual void StopRepeat();
  bool repeating() const { return repeatTimer_ != nullptr; }

  // Its own OnClick replaces the built-in action.
  void Click() override;
  // Only a navigator can hold the button: any other parent is refused with an error box.
  void SetParent(TWinControl* Value) override;

  TdcCustomDialogEvent OnAfterCreateDialog;
  TNotifyEvent OnRowChanged;
  TdcUpdateStateEvent OnUpdateState;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  virtual void RepeatTimerTick();

 private:
  // The built-in action of the style on the navigator's dataset. A failure of the action named
  // by `reported` (a post, the delete of an existing record) is shown; other failures are not.
  void runAction(bool& reported);
  // The dialog the button opens: its own, one its place already owns, or a new one.
  TdcCustomDialog* findOrCreateDialog();
  bool isLoading() const { return ComponentState().Contains(csLoading); }
  // The navigator holding the button; nullptr while it has none (being loaded or made).
  TdcDBNavigator* navigatorIfAny() const;

  TdcNavButtonStyle style_ = nbsFirst;
  TdcCustomDialog* dialog_ = nullptr;
  bool lineBreak_ = false;
  TdcNavButtons* collection_ = nullptr;
  std::unique_ptr<IntervalTimer> repeatTimer_;
  // A stopped timer, kept until the next start: it may be the one whose handler is running.
  std::unique_ptr<IntervalTimer> stoppedTimer_;
  bool heldInside_ = false;  // the left button is down on the button and the mouse over it
  AnsiString generatedHint_;  // the library text last taken as the hint
};
