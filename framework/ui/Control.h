#pragma once
// TControl: something shown inside a form, with a place and size in its parent, visibility, an
// enabled state, colour, font, hint, cursor, popup menu and the mouse events. A TControl itself
// has no window: its parent paints it and passes it the mouse events over it. TWinControl adds the
// window. Every property can be set before any window exists; the window takes them when made.
//
// Font and Color: a control with ParentFont (ParentColor) takes its parent's and follows its
// changes; setting its own clears the flag. Changes reach FontChanged/ColorChanged.
#include <memory>

#include "framework/base/Component.h"
#include "framework/base/NotifyEvent.h"
#include "framework/ui/Color.h"
#include "framework/ui/Font.h"
#include "framework/ui/Geometry.h"
#include "framework/ui/InputTypes.h"
#include "framework/ui/Messages.h"
#include "framework/ui/Screen.h"
#include "framework/ui/SizeConstraints.h"

class QObject;
class QPainter;
namespace qn::ui {
class PostedCallTarget;
}
class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
extern const EnumerationType kAlignType;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = EnumSet<TAnchorKind>;
extern const EnumerationType kAnchorKindType;

// Whether scaling by a ratio takes the fonts given in pixels along (an enlargement) or keeps them
// (a form drawn at another density: its fonts are given in points and already fit the screen).
enum class FontScaling { Scale, Keep };

enum TControlStateFlag {
  csLButtonDown,  // the left button went down on this control and is still down
  csClicked,      // a left press began here: its release inside is a click
  csFocusing,     // a focus move to this control is under way
  csCreating,     // its window is being made
  csPaintCopy,    // painted as a copy inside a grid cell, not as itself
  csRecreating,   // its window is being made again
};
using TControlState = EnumSet<TControlStateFlag>;

// What a kind of control does with the input it is sent, fixed when the control is made.
enum TControlStyleFlag {
  csReceivesDoubleClicks,  // a quick second left press is a double click; without it, a plain press
};
using TControlStyle = EnumSet<TControlStyleFlag>;

class TControl : public TComponent {
  QN_PUBLISHED_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  // Moves the control into Value (nullptr: out of any parent). A control cannot be its own
  // ancestor; EInvalidOperation then.
  virtual void SetParent(TWinControl* Value);

  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  void SetLeft(int Value) { SetBounds(Value, Top(), Width(), Height()); }
  void SetTop(int Value) { SetBounds(Left(), Value, Width(), Height()); }
  void SetWidth(int Value) { SetBounds(Left(), Top(), Value, Height()); }
  void SetHeight(int Value) { SetBounds(Left(), Top(), Width(), Value); }
  // The size is kept inside Constraints.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return bounds_; }
  void SetBoundsRect(const TRect& Value) { SetBounds(Value.Left, Value.Top, Value.Width(), Value.Height()); }
  // The inside of the control in its own coordinates.
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors Value) { anchors_ = Value; }
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  void SetConstraints(TSizeConstraints* Value) { constraints_->Assign(Value); }

  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to the form.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);

  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool Value);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* Value) { font_->Assign(Value); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool Value);

  const AnsiString& Hint() const { return hint_; }
  void SetHint(const AnsiString& Value) { hint_ = Value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool Value) { showHint_ = Value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }
  // The popup menu a right press or the menu key opens over this control; held here, opened by
  // the menus.
  TComponent* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TComponent* Value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);

  // The control's text (an edit's text, a label's or a button's caption).
  AnsiString Text() const { return GetText(); }
  void SetText(const AnsiString& Value) { SetTextValue(Value); }

  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState Value) { controlState_ = Value; }
  bool IsPaintCopyState() const { return controlState_.Contains(csPaintCopy); }
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle Value) { controlStyle_ = Value; }

  TPoint ClientToScreen(TPoint Point) const;
  TPoint ScreenToClient(TPoint Point) const;
  // The offset of this control's client origin from its nearest windowed ancestor's (its own
  // window's origin for a windowed control: 0, 0).
  virtual TPoint OriginInWindow() const;
  // The nearest windowed control that shows this control: itself when windowed.
  virtual TWinControl* WindowedHost() const;

  // Marks the control for painting; Repaint paints at once.
  virtual void Invalidate();
  virtual void Repaint();

  // Handles a numbered message at once (through WndProc) and answers its result.
  std::intptr_t Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam);
  // The object posted messages and calls are addressed to: lives exactly as long as the control.
  QObject* MessageTarget() const;
  // Gives the mouse to this control (every mouse event of the program comes here) or takes it
  // away; a press gives it for as long as the button is down.
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  // Whether the point (client coordinates) belongs to the control for the mouse.
  virtual bool HitTest(TPoint Point) const { return ClientRect().Contains(Point); }

  // The mouse entry points: the framework calls these with client coordinates.
  void MouseDownAt(TMouseButton Button, TShiftState Shift, TPoint Point, bool Double);
  void MouseUpAt(TMouseButton Button, TShiftState Shift, TPoint Point);
  void MouseMoveAt(TShiftState Shift, TPoint Point);
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}

  // Paints a windowless control onto its parent's window; the painter's origin is the control's
  // client origin. The base paints nothing.
  virtual void PaintControl(QPainter& painter) {}

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // Calls OnClick.
  virtual void Click();

 protected:
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);

  // The message handler: numbered messages arrive here, sent or posted. The base answers a
  // posted left-button release (the end of a press) and leaves everything else with result 0.
  virtual void WndProc(TMessage& Message);

  virtual AnsiString GetText() const { return text_; }
  virtual void SetTextValue(const AnsiString& Value);

  // Told after the change; the base repaints.
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  virtual void BoundsChanged();
  virtual void TextChanged() { Invalidate(); }
  // Part of scaling its form by M / D: the place and size in the parent and, when Fonts says so,
  // a font of its own (one taken from the parent follows the parent's).
  virtual void scaleInParent(int M, int D, FontScaling Fonts);
  // A parent's font or colour changed: children that take it follow.
  void ParentFontChanged();
  void ParentColorChanged();

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void BeforeDestruction() override;

  // Text kept while the control has no window to hold it.
  AnsiString text_;

 private:
  friend class TWinControl;
  friend class ControlRef;

  void fontOwnChanged(TObject*);
  void constraintsChanged(TObject*);

  TWinControl* parent_ = nullptr;
  TRect bounds_;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  std::unique_ptr<TSizeConstraints> constraints_;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool followingParentFont_ = false;  // the font is being copied from the parent
  AnsiString hint_;
  bool showHint_ = false;
  int helpContext_ = 0;
  TComponent* popupMenu_ = nullptr;
  TCursor cursor_ = crDefault;
  TControlState controlState_;
  TControlStyle controlStyle_{csReceivesDoubleClicks};
  qn::ui::PostedCallTarget* messageTarget_ = nullptr;
  // Shared with ControlRef: cleared when the control starts to go.
  std::shared_ptr<TControl*> self_;
};

// A reference to a control that notices when it is freed: code that calls a handler which may free
// the control checks it before touching the control again.
class ControlRef {
 public:
  ControlRef() = default;
  explicit ControlRef(TControl* control) : self_(control ? control->self_ : nullptr) {}
  TControl* get() const { return self_ ? *self_ : nullptr; }
  explicit operator bool() const { return get() != nullptr; }

 private:
  std::shared_ptr<TControl*> self_;
};
