#pragma once
// TWinControl: a control with a window of its own (a QWidget it owns), which can hold child
// controls, take the keyboard focus and receive keys. The window is made on demand: when the
// control is shown inside a form that has one, or when code asks for it; until then every
// property is kept by the control. A control's widget is deleted only by its control, children's
// windows first; a widget Qt removed on its own is noticed (QPointer) and never deleted twice.
//
// RecreateWindow makes the window again (a style that needs a new window changed): text,
// selection, bounds, visibility and the child windows are kept, and the focus stays when it was
// there, without exit or enter handling.
#include <QPointer>
#include <QWidget>
#include <vector>

#include "framework/ui/Control.h"
#include "platform/os/WindowRegistry.h"

class QWidget;
class WidgetOfControl;

// The keys a focused control asks to receive instead of having them move the focus.
enum TWantedKey { wkArrows, wkTab, wkReturn, wkEscape };
using TWantedKeys = EnumSet<TWantedKey>;

enum TBorderStyle { bsNone, bsSingle };
extern const EnumerationType kBorderStyleType;

class TWinControl : public TControl {
  QN_PUBLISHED_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // Children, in the order they came into this control.
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int Index) const;
  // The windowed children in tab order.
  const std::vector<TWinControl*>& TabOrderList() const { return tabList_; }
  bool ContainsControl(const TControl* Control) const;  // a descendant, or this control itself
  // The descendant of that name (without case), or of that class or a descendant class; nullptr
  // when none. Children first, then their children.
  TControl* FindChildControl(const AnsiString& ControlName) const;
  TControl* FindChildControlOfClass(const AnsiString& ClassName) const;

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool Value);
  // The position among the parent's windowed children in tab order; -1 without parent.
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool Value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle Value);

  // The control's id among the desktop's windows, as calls across libraries take a window: a
  // top-level form's registry id; for any other control an id of its own, given on first ask and
  // kept for the control's life.
  virtual qn::os::WindowId Handle();

  // The window: made now when missing (its parent's first).
  QWidget* Window();
  bool hasWindow() const { return !widget_.isNull(); }
  void createWindow();
  // A control without a parent makes its window inside this widget (a drop-down's), also when it
  // makes it again; nullptr: a top-level window.
  void SetHostWidget(QWidget* Host) { host_ = Host; }
  QWidget* HostWidget() const { return host_.data(); }
  // Destroys the window (children's first); the control keeps its properties.
  void destroyWindow();
  // Makes the window again, keeping what the control shows and the focus.
  void recreateWindow();
  // Whether the widget belongs to this control's window (the window itself or a widget inside it
  // that no child control owns).
  bool ownsWidget(const QWidget* widget) const;

  // Focus. The framework alone moves it; see Focus.h.
  bool CanFocus() const;
  bool Focused() const;
  // Moves the focus here (exit handling of the controls left first). On a hidden or disabled
  // control: EInvalidOperation naming it. On a form that is not active: only that form's active
  // control changes.
  virtual void SetFocus();
  // Whether a press on this control moves the focus to it; by default, whether it is a tab stop.
  virtual bool FocusOnPress() const { return tabStop_; }
  // The keys this control wants while focused (arrows, Tab, Enter, Escape); characters always come.
  virtual TWantedKeys WantedKeys() const { return {}; }

  // The wheel, in whole steps of 120, while this control has the focus; answers whether it was
  // used (else the widget gets it). The base uses none.
  virtual bool MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) { return false; }

  // The key entry points of the key route.
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  // The focus entry points of a move: OnEnter and OnExit. Descendants that keep data post their
  // value in DoExit before the base runs OnExit; what they raise refuses the move.
  virtual void DoEnter();
  virtual void DoExit();

  // The next windowed descendant after (or before) CurControl in tab order, wrapping around;
  // only those that can take the focus, and tab stops only when asked.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop) const;

  // The window's Qt object name follows the component name.
  void SetName(const AnsiString& NewName) override;

  TRect ClientRect() const override;
  TPoint OriginInWindow() const override { return {0, 0}; }
  TWinControl* WindowedHost() const override { return const_cast<TWinControl*>(this); }
  void Invalidate() override;
  void Repaint() override;
  // Switches the window's painting off (false) and on again (true), its children's with it;
  // switched on, the window is repainted once. Nothing without a window.
  void SetRedraw(bool Value);

  // The client area moved within the window (a form's menu bar came or went): the children's
  // windows are placed again and the window repainted.
  void clientOriginChanged();

  // Called by the window when the desktop or Qt resized it: the control takes the new size.
  void windowWasResized(int AWidth, int AHeight);

  // Moves a child to Position in the child order (the order it paints and is listed in); a
  // position past the end moves it to the end.
  void MoveChild(TControl* Child, int Position);

  // The windowless child under a point of this control's client area; nullptr when none.
  TControl* WindowlessControlAt(TPoint Point) const;

  // Called by the window: paints the control (the base paints nothing), then its windowless
  // children.
  virtual void PaintWindow(QPainter& painter) {}
  void PaintWindowlessChildren(QPainter& painter);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  // A key-down message (WM_KEYDOWN, the key in WParam) is the key sent to this control, with the
  // shift keys the keyboard state shows.
  void WndProc(TMessage& Message) override;

  // Makes this control's widget (a ControlWidget of some Qt class) inside parentWidget (nullptr
  // for a top-level window).
  virtual QWidget* MakeWidget(QWidget* parentWidget);
  // Told after the window was made (push what the control keeps into it) and before it goes
  // (take back what only the widget holds: text, selection). Overrides call the base.
  virtual void WindowCreated();
  virtual void WindowDestroying();
  // Told after BorderStyle or Ctl3D changed; the base repaints.
  virtual void BorderChanged() { Invalidate(); }
  // The parent widget this control's widget lives in.
  virtual QWidget* ParentWidgetForChildren() { return Window(); }
  // Asked before Control becomes a child here; raising refuses it, and it keeps its parent.
  virtual void AcceptChild(TControl* Control) {}
  // Lays out the aligned and anchored children after a size change.
  virtual void AlignControls();
  // Scales every child, and the children inside them, by M / D for a resize of this control to
  // NewWidth x NewHeight that follows: the children are placed for that size already, so anchored
  // ones do not move again when it comes.
  void scaleChildren(int M, int D, int NewWidth, int NewHeight, FontScaling Fonts);
  // Scales the children first, then itself.
  void scaleInParent(int M, int D, FontScaling Fonts) override;

  void FontChanged() override;
  void ColorChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  void BoundsChanged() override;
  void BeforeDestruction() override;

  QWidget* widgetIfAny() const { return widget_.data(); }

 private:
  friend class TControl;

  void insertControl(TControl* control);
  void removeControl(TControl* control);
  void applyGeometry();
  void applyVisibility();
  // Deletes the widget now, or, when it is inside one of its own event handlers, hides it, cuts its
  // link back here and hands it to deleteLater.
  void releaseWidget();
  // Makes the widget and gives it what the control keeps; the children's windows are not made.
  void makeOwnWidget();
  // Qt's focus policy for the widget: none unless a press or Tab may bring the focus here.
  void applyFocusPolicy();

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  QPointer<QWidget> widget_;
  QPointer<QWidget> host_;
  WidgetOfControl* link_ = nullptr;  // the widget's link back to this control
  bool tabStop_ = false;
  bool ctl3D_ = true;
  TBorderStyle borderStyle_ = bsNone;
  // The client size the children were last laid out for.
  int laidOutWidth_ = 0;
  int laidOutHeight_ = 0;
};

// The live control of this program with that Handle(); nullptr once it is destroyed, for an id
// never given here and for another program's window.
TWinControl* FindControlByHandle(qn::os::WindowId Handle);
